// The browser C library's reading of a whole file into memory, which its gettext reads the
// program's catalogue with (musl's __map_file): this Emscripten's own fails on every file of the
// page and hands back -1 as the file's bytes, which gettext then reads far out of bounds.
#include <cstddef>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// The file's bytes and their count in size, or null where it cannot be read.
extern "C" const unsigned char* __map_file(const char* path, std::size_t* size) {
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return nullptr;
    }
    void* bytes = MAP_FAILED;
    struct stat status;
    if (fstat(file, &status) == 0) {
        *size = static_cast<std::size_t>(status.st_size);
        bytes = mmap(nullptr, *size, PROT_READ, MAP_PRIVATE, file, 0);
    }
    close(file);
    return bytes == MAP_FAILED ? nullptr : static_cast<const unsigned char*>(bytes);
}
