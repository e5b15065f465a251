// A look at a BMP file's header before SDL's loader trusts it.
#include "display/bmp_check.h"

#include "display/display.h"
#include "language/translation.h"

#include <SDL.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Where a BMP file keeps what sizes its pixel rows: byte offsets, little-endian fields.
constexpr int BMP_HEADERS = 34; // bytes, through the compression field
constexpr int LONG = 4;         // bytes of a 32-bit field
constexpr int SHORT = 2;        // bytes of a 16-bit field
constexpr int PIXEL_OFFSET_AT = 10;
constexpr int HEADER_SIZE_AT = 14;
constexpr int WIDTH_AT = 18;
constexpr int HEIGHT_AT = 22;
constexpr int BIT_COUNT_AT = 28;
constexpr int COMPRESSION_AT = 30;
constexpr int CORE_HEADER_SIZE = 12; // the old header: 16-bit sizes, no compression field
constexpr int CORE_HEIGHT_AT = 20;
constexpr int CORE_BIT_COUNT_AT = 24;
constexpr std::uint32_t UNCOMPRESSED = 0;
constexpr std::uint32_t BIT_FIELDS = 3;    // uncompressed rows with colour masks
constexpr std::int64_t ROW_ALIGNMENT = 32; // bits: rows are padded to whole 32-bit words
constexpr int BITS_PER_BYTE = 8;

std::uint32_t field(const unsigned char* header, int at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << BITS_PER_BYTE | header[at + i];
    }
    return value;
}
// Opens the file for reading, with its size in bytes; -1, with SDL's error set to the system's
// reason ("No such file or directory", "Permission denied", "Is a directory"), when it cannot.
int openPicture(const std::string& file, std::int64_t& size) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status;
    int reason = fd < 0 || fstat(fd, &status) != 0 ? errno : 0;
    if (reason == 0 && S_ISDIR(status.st_mode)) {
        reason = EISDIR;
    }
    if (reason != 0) {
        if (fd >= 0) {
            close(fd);
        }
        set_sdl_error(std::strerror(reason));
        return -1;
    }
    size = status.st_size;
    return fd;
}

} // namespace

void set_sdl_error(const std::string& text) {
    SDL_SetError("%s", text.c_str());
}

bool picture_file_opens(const std::string& file) {
    std::int64_t size = 0;
    const int fd = openPicture(file, size);
    if (fd >= 0) {
        close(fd);
    }
    return fd >= 0;
}

bool bmp_header_is_sound(const std::string& file) {
    std::int64_t fileSize = 0;
    const int fd = openPicture(file, fileSize);
    if (fd < 0) {
        return false;
    }
    unsigned char header[BMP_HEADERS] = {};
    const ssize_t got = read(fd, header, BMP_HEADERS);
    close(fd);
    return bmp_header_is_sound(header, got > 0 ? static_cast<std::size_t>(got) : 0, fileSize);
}

bool bmp_header_is_sound(const unsigned char* header, std::size_t length, std::int64_t fileSize) {
    if (length < BMP_HEADERS) {
        return true;
    }
    std::int64_t width, height, bitCount;
    if (field(header, HEADER_SIZE_AT, LONG) == CORE_HEADER_SIZE) {
        width = field(header, WIDTH_AT, SHORT);
        height = field(header, CORE_HEIGHT_AT, SHORT);
        bitCount = field(header, CORE_BIT_COUNT_AT, SHORT);
    } else {
        const std::uint32_t compression = field(header, COMPRESSION_AT, LONG);
        if (compression != UNCOMPRESSED && compression != BIT_FIELDS) {
            set_sdl_error(formatted(_("compressed BMP files (kind %lu) are not read"),
                                    static_cast<unsigned long>(compression)));
            return false;
        }
        width = static_cast<std::int32_t>(field(header, WIDTH_AT, LONG));
        height = static_cast<std::int32_t>(field(header, HEIGHT_AT, LONG));
        bitCount = field(header, BIT_COUNT_AT, SHORT);
    }
    const std::int64_t rowBytes = (std::llabs(width) * bitCount + ROW_ALIGNMENT - 1) /
                                  ROW_ALIGNMENT * (ROW_ALIGNMENT / BITS_PER_BYTE);
    const std::int64_t available = fileSize - field(header, PIXEL_OFFSET_AT, LONG);
    // Divided rather than multiplied: the product of two damaged fields overflows 64 bits.
    if (rowBytes == 0 || std::llabs(height) <= available / rowBytes) {
        return true;
    }
    set_sdl_error(formatted(_("its header claims %lldx%lld pixels, more than the file holds"),
                            static_cast<long long>(width), static_cast<long long>(height)));
    return false;
}
