// Reading a recording file with a bound on its size, and writing one through a temporary name.
#include "recording/recording_file.h"

#include "language/translation.h"
#include "recording/state_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A recording takes a few bytes a run; a day of play changing input every frame is under 4 MB.
constexpr std::size_t LARGEST_RECORDING = 16 << 20; // bytes
constexpr std::size_t CHUNK = 1 << 16;              // bytes read at a time
constexpr mode_t NEW_FILE_MODE = 0666;

std::string reason() {
    return std::strerror(errno);
}

// The folder part of a path, "." for a bare name.
std::string folderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
}

std::string nameOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? file : file.substr(slash + 1);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno != EINTR) {
            return false;
        }
        written += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    return true;
}

// Writes bytes from the file's start and flushes them to the disk.
bool writeFromStart(int fd, const std::string& bytes) {
    return lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
}

constexpr int MOST_TRIES = 100; // names of one second tried in the state folder

// Writes bytes, flushed, to a new file in the state folder named for played; returns its path.
// Throws std::runtime_error saying why no file there would take them.
std::string keepInStateFolder(const std::string& bytes, std::time_t played) {
    const std::string folder = state_folder();
    if (folder.empty()) {
        throw std::runtime_error(
            _("there is no state folder, as neither XDG_STATE_HOME nor HOME is set"));
    }
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    for (int attempt = 1; attempt <= MOST_TRIES; ++attempt) {
        const std::string file = folder + "/" + played_name(played, attempt);
        const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NEW_FILE_MODE);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        const bool written = fd >= 0 && writeFromStart(fd, bytes);
        const std::string why = reason();
        if (fd >= 0 && close(fd) == 0 && written) {
            return file;
        }
        if (fd >= 0) {
            unlink(file.c_str());
        }
        throw std::runtime_error(
            formatted(_("nor can it be kept in %s: %s"), folder.c_str(), why.c_str()));
    }
    throw std::runtime_error(
        formatted(_("nor can it be kept in %s: %s"), folder.c_str(), std::strerror(EEXIST)));
}

// The name given to the finished file: a hard link fails rather than replace a file that
// appeared meanwhile; where the file system has no links, a rename after a last look.
bool giveName(const std::string& from, const std::string& to) {
    if (link(from.c_str(), to.c_str()) == 0) {
        unlink(from.c_str());
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    struct stat status;
    if (lstat(to.c_str(), &status) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(from.c_str(), to.c_str()) == 0;
}

} // namespace

Recording read_recording(const std::string& file) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status;
    if (fd < 0 || fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        const std::string why = fd < 0 ? reason() : std::strerror(EISDIR);
        if (fd >= 0) {
            close(fd);
        }
        throw RecordingError(why);
    }
    std::string bytes;
    for (;;) {
        const std::size_t had = bytes.size();
        bytes.resize(had + CHUNK);
        const ssize_t n = read(fd, bytes.data() + had, CHUNK);
        bytes.resize(had + (n > 0 ? static_cast<std::size_t>(n) : 0));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const std::string why = reason();
            close(fd);
            throw RecordingError(why);
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() > LARGEST_RECORDING) {
            close(fd);
            throw RecordingError(_("it is larger than any recording (16 MB)"));
        }
    }
    close(fd);
    return decode_recording(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

RecordingFile::RecordingFile(std::string file, const std::string& header)
    : file_(std::move(file)), started_(std::time(nullptr)) {
    struct stat status;
    if (lstat(file_.c_str(), &status) == 0) {
        throw Refused(
            formatted(_("%s exists already; a recording never replaces a file"), file_.c_str()));
    }
    temporary_ = folderOf(file_) + "/." + nameOf(file_) + ".XXXXXX";
    fd_ = mkstemp(temporary_.data());
    if (fd_ < 0 || !writeFromStart(fd_, header)) {
        const std::string why = reason();
        if (fd_ >= 0) {
            close(fd_);
            unlink(temporary_.c_str());
        }
        fd_ = -1;
        throw Refused(formatted(_("cannot record into %s: %s"), file_.c_str(), why.c_str()));
    }
    // mkstemp keeps the file to its owner; the recording gets what a new file usually gets.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, NEW_FILE_MODE & ~mask);
}

RecordingFile::~RecordingFile() {
    if (fd_ >= 0) {
        close(fd_);
        unlink(temporary_.c_str());
    }
}

void RecordingFile::save(const Recording& recording) {
    const std::string bytes = encode_recording(recording);
    const bool written = writeFromStart(fd_, bytes);
    std::string why = reason();
    const bool closed = close(fd_) == 0;
    fd_ = -1;
    if (written && !closed) {
        why = reason();
    }
    if (!written || !closed) {
        unlink(temporary_.c_str()); // part of a game at most
        keepInstead(formatted(_("cannot write the recording %s: %s"), file_.c_str(), why.c_str()),
                    bytes);
    }
    if (!giveName(temporary_, file_)) {
        keepInstead(
            formatted(_("cannot name the recording %s (%s)"), file_.c_str(), reason().c_str()),
            bytes);
    }
    // The new name itself reaches the disk with its folder.
    const int folder = open(folderOf(file_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
}

void RecordingFile::keepInstead(const std::string& trouble, const std::string& bytes) {
    // A whole temporary file is still there when only its name failed and its folder remains.
    struct stat status;
    const bool temporaryWhole = lstat(temporary_.c_str(), &status) == 0;
    std::string kept;
    try {
        kept = keepInStateFolder(bytes, started_);
    } catch (const std::runtime_error& error) {
        // TRANSLATORS: what went wrong where the recording was asked for, then in the state folder.
        throw std::runtime_error(
            temporaryWhole
                ? formatted(_("%s; %s; it is kept as %s"), trouble.c_str(), error.what(),
                            temporary_.c_str())
                : formatted(_("%s; %s; the game is lost"), trouble.c_str(), error.what()));
    }
    unlink(temporary_.c_str());
    // TRANSLATORS: what went wrong where the recording was asked for, and the file it is kept in.
    throw std::runtime_error(formatted(_("%s; it is kept as %s"), trouble.c_str(), kept.c_str()));
}
