// Reading a recording file with a bound on its size, and writing one through a temporary name.
#include "recording/recording_file.h"

#include "language/translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

RecordingFile::RecordingFile(std::string file) : file_(std::move(file)) {
    struct stat status;
    if (lstat(file_.c_str(), &status) == 0) {
        throw Refused(
            formatted(_("%s exists already; a recording never replaces a file"), file_.c_str()));
    }
    temporary_ = folderOf(file_) + "/." + nameOf(file_) + ".XXXXXX";
    fd_ = mkstemp(temporary_.data());
    if (fd_ < 0) {
        throw Refused(formatted(_("cannot record into %s: %s"), file_.c_str(), reason().c_str()));
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
    const bool written = writeAll(fd_, encode_recording(recording)) && fsync(fd_) == 0;
    const int closed = close(fd_);
    fd_ = -1;
    if (!written || closed != 0) {
        const std::string why = reason();
        unlink(temporary_.c_str());
        throw std::runtime_error(
            formatted(_("cannot write the recording %s: %s"), file_.c_str(), why.c_str()));
    }
    if (!giveName(temporary_, file_)) {
        throw std::runtime_error(formatted(_("cannot name the recording %s (%s); it is kept as %s"),
                                           file_.c_str(), reason().c_str(), temporary_.c_str()));
    }
    // The new name itself reaches the disk with its folder.
    const int folder = open(folderOf(file_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
}
