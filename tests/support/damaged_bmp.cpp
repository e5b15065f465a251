// Damaged copies of a valid BMP file: truncations, bad header fields, random bytes changed.
#include "support/damaged_bmp.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <stdexcept>

namespace fixtures {

namespace {

struct FieldPlace {
    const char* name;
    std::size_t offset; // bytes from the file's start
    std::size_t size;   // bytes, little-endian
};

// In the order of BmpField.
constexpr FieldPlace FIELDS[] = {
    {"file size", 2, 4},
    {"pixel offset", 10, 4},
    {"header size", 14, 4},
    {"width", 18, 4},
    {"height", 22, 4},
    {"planes", 26, 2},
    {"bit count", 28, 2},
    {"compression", 30, 4},
    {"image size", 34, 4},
    {"colours used", 46, 4},
    {"colours important", 50, 4},
};

constexpr std::size_t HEADERS_END = 54; // the file header and the 40-byte information header
constexpr std::size_t PALETTE_STEPS = 8;
constexpr int BITS_PER_BYTE = 8;
constexpr unsigned BYTE_MASK = 0xFF;

constexpr int RANDOM_HEADER_VARIANTS = 150;
constexpr int RANDOM_PIXEL_VARIANTS = 60;
constexpr int MOST_HEADER_BYTES_CHANGED = 4;
constexpr int MOST_PIXEL_BYTES_CHANGED = 16;

constexpr std::int64_t INT32_LOW = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t INT32_HIGH = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t HUGE_SIDE = 1 << 20;  // pixels: far past any real picture
constexpr std::int64_t PAST_16_BITS = 32768; // pixels: one past a signed 16-bit coordinate

const FieldPlace& place(BmpField field) {
    return FIELDS[static_cast<int>(field)];
}

std::int64_t fieldValue(const Bytes& bytes, BmpField field) {
    const FieldPlace& at = place(field);
    if (bytes.size() < at.offset + at.size) {
        throw std::runtime_error("the valid picture is shorter than its headers");
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < at.size; ++i) {
        value |= static_cast<std::uint32_t>(bytes[at.offset + i]) << (BITS_PER_BYTE * i);
    }
    return at.size == 4 ? static_cast<std::int32_t>(value) : static_cast<std::int64_t>(value);
}

void setField(Bytes& bytes, BmpField field, std::int64_t value) {
    const FieldPlace& at = place(field);
    const auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < at.size; ++i) {
        bytes[at.offset + i] =
            static_cast<unsigned char>((bits >> (BITS_PER_BYTE * i)) & BYTE_MASK);
    }
}

// Values no field may take in a sound file, or that contradict the rest of it.
std::vector<std::int64_t> badValues(const Bytes& valid, BmpField field) {
    std::vector<std::int64_t> values = {0, -1, 1, INT32_LOW, INT32_HIGH, 0xFFFF, 0x10000};
    const auto size = static_cast<std::int64_t>(valid.size());
    const std::int64_t current = fieldValue(valid, field);
    std::vector<std::int64_t> more;
    switch (field) {
    case BmpField::WIDTH:
    case BmpField::HEIGHT:
        more = {2 * current, current + 1, current - 1, -current, HUGE_SIDE, PAST_16_BITS};
        break;
    case BmpField::BIT_COUNT:
        more = {2, 4, 8, 15, 16, 24, 32, 33, 48, 64};
        break;
    case BmpField::COMPRESSION:
        more = {2, 3, 4, 5, 6, 99};
        break;
    case BmpField::PIXEL_OFFSET:
        more = {13, 14, 53, 55, size - 1, size, size + 1, 2 * size};
        break;
    case BmpField::HEADER_SIZE:
        more = {12, 39, 41, 56, 64, 108, 124, 200};
        break;
    case BmpField::FILE_SIZE:
    case BmpField::IMAGE_SIZE:
        more = {size - 1, size + 1, 2 * size};
        break;
    case BmpField::COLOURS_USED:
    case BmpField::COLOURS_IMPORTANT:
        more = {2, 255, 256, 257, HUGE_SIDE};
        break;
    case BmpField::PLANES:
        more = {2, 3};
        break;
    }
    values.insert(values.end(), more.begin(), more.end());
    return values;
}

std::string hex(unsigned value) {
    constexpr char DIGITS[] = "0123456789abcdef";
    constexpr int NIBBLE = 4;
    constexpr unsigned NIBBLE_MASK = 0xF;
    return std::string("0x") + DIGITS[(value >> NIBBLE) & NIBBLE_MASK] +
           DIGITS[value & NIBBLE_MASK];
}

// Changes between one and most bytes at random places in [from, to).
DamagedPicture changedBytes(const Bytes& valid, const char* region, std::size_t from,
                            std::size_t to, int most, std::mt19937& random) {
    DamagedPicture picture{std::string(region) + " bytes changed:", valid};
    std::uniform_int_distribution<int> count(1, most);
    std::uniform_int_distribution<std::size_t> offset(from, to - 1);
    std::uniform_int_distribution<unsigned> value(0, BYTE_MASK);
    for (int changes = count(random); changes > 0; --changes) {
        const std::size_t at = offset(random);
        const unsigned newValue = value(random);
        picture.bytes[at] = static_cast<unsigned char>(newValue);
        picture.what += " [" + std::to_string(at) + "] = " + hex(newValue);
    }
    return picture;
}

} // namespace

Bytes readBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file);
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void saveDamaged(const std::string& file, const DamagedPicture& picture) {
    std::filesystem::remove_all(file);
    if (picture.isFolder) {
        std::filesystem::create_directory(file);
        return;
    }
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(picture.bytes.data()),
              static_cast<std::streamsize>(picture.bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file);
    }
}

DamagedPicture truncated(const Bytes& valid, std::size_t length) {
    return {"truncated to " + std::to_string(length) + " bytes",
            Bytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length))};
}

DamagedPicture withField(const Bytes& valid, BmpField field, std::int64_t value) {
    DamagedPicture picture{std::string(place(field).name) + " = " + std::to_string(value), valid};
    setField(picture.bytes, field, value);
    return picture;
}

DamagedPicture emptyFile() {
    return {"an empty file", {}};
}

DamagedPicture folder() {
    return {"a folder", {}, true};
}

std::vector<DamagedPicture> damagedPictures(const Bytes& valid, unsigned seed) {
    const std::size_t pixels = static_cast<std::size_t>(fieldValue(valid, BmpField::PIXEL_OFFSET));
    if (pixels < HEADERS_END || pixels >= valid.size()) {
        throw std::runtime_error("the valid picture's pixel offset is not sound");
    }
    std::vector<DamagedPicture> pictures = {emptyFile(), folder()};

    // Cut inside every header field, in steps through a palette, and inside the pixels.
    for (std::size_t length = 1; length <= HEADERS_END; ++length) {
        pictures.push_back(truncated(valid, length));
    }
    const std::size_t paletteStep = (pixels - HEADERS_END) / PALETTE_STEPS;
    for (std::size_t length = HEADERS_END + paletteStep; paletteStep > 0 && length < pixels;
         length += paletteStep) {
        pictures.push_back(truncated(valid, length));
    }
    for (std::size_t length : {pixels, pixels + 1, (pixels + valid.size()) / 2, valid.size() - 1}) {
        pictures.push_back(truncated(valid, length));
    }

    for (const FieldPlace& field : FIELDS) {
        const auto which = static_cast<BmpField>(&field - FIELDS);
        for (std::int64_t value : badValues(valid, which)) {
            pictures.push_back(withField(valid, which, value));
        }
    }

    // Sizes whose product overflows, and depths that lean on fields the valid file lacks.
    DamagedPicture both = withField(valid, BmpField::WIDTH, HUGE_SIDE);
    setField(both.bytes, BmpField::HEIGHT, HUGE_SIDE);
    both.what = "width and height = " + std::to_string(HUGE_SIDE);
    pictures.push_back(both);
    DamagedPicture flipped = withField(valid, BmpField::WIDTH, INT32_HIGH);
    setField(flipped.bytes, BmpField::HEIGHT, INT32_LOW);
    flipped.what = "width = largest, height = most negative";
    pictures.push_back(flipped);
    constexpr std::int64_t BITFIELDS = 3;
    constexpr std::int64_t DEEP = 32;
    DamagedPicture masks = withField(valid, BmpField::COMPRESSION, BITFIELDS);
    setField(masks.bytes, BmpField::BIT_COUNT, DEEP);
    masks.what = "32 bits with masks that are not there";
    pictures.push_back(masks);
    constexpr std::int64_t INDEXED = 8;
    DamagedPicture palette = withField(valid, BmpField::BIT_COUNT, INDEXED);
    setField(palette.bytes, BmpField::COLOURS_USED, -1);
    palette.what = "8 bits with a palette of every 32-bit count";
    pictures.push_back(palette);

    std::mt19937 random(seed);
    for (int i = 0; i < RANDOM_HEADER_VARIANTS; ++i) {
        pictures.push_back(
            changedBytes(valid, "header", 0, pixels, MOST_HEADER_BYTES_CHANGED, random));
    }
    for (int i = 0; i < RANDOM_PIXEL_VARIANTS; ++i) {
        pictures.push_back(
            changedBytes(valid, "pixel", pixels, valid.size(), MOST_PIXEL_BYTES_CHANGED, random));
    }
    return pictures;
}

} // namespace fixtures
