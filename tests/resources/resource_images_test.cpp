// The committed bitmaps, icon and cursors, decoded and checked at the pixels that matter.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace {

// The bytes of an image file of game/resources, read once.
std::span<const uint8_t> file_named(const std::string& name)
{
    static std::map<std::string, std::vector<uint8_t>> files;
    std::vector<uint8_t>& bytes = files[name];
    if (bytes.empty()) {
        std::ifstream file(RESOURCE_DIR "/" + name, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
}

uint32_t read_u16(std::span<const uint8_t> b, std::size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}

uint32_t read_u32(std::span<const uint8_t> b, std::size_t at)
{
    return read_u16(b, at) | read_u16(b, at + 2) << 16;
}

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};
constexpr Rgb black{0, 0, 0}, white{255, 255, 255}, light_grey{192, 192, 192};

// A device-independent bitmap (header, palette, rows bottom-up) starting at `at`.
// Masked images (icons, cursors) have a header of double height and an AND plane after it.
struct Dib {
    std::span<const uint8_t> bytes;
    std::size_t at;
    int32_t width = 0, height = 0;
    uint32_t bits = 0, compression = 0;
    bool masked = false;

    Dib(std::span<const uint8_t> b, std::size_t start, bool with_mask)
        : bytes(b), at(start), masked(with_mask)
    {
        width = int32_t(read_u32(b, at + 4));
        height = int32_t(read_u32(b, at + 8)) / (masked ? 2 : 1);
        bits = read_u16(b, at + 14);
        compression = read_u32(b, at + 16);
    }
    std::size_t palette() const { return at + read_u32(bytes, at); }
    std::size_t colour_plane() const { return palette() + 4 * (std::size_t(1) << bits); }
    std::size_t stride(uint32_t b) const { return (std::size_t(width) * b + 31) / 32 * 4; }
    std::size_t end() const
    {
        return colour_plane() + stride(bits) * height + (masked ? stride(1) * height : 0);
    }
    static uint32_t sample(std::span<const uint8_t> b, std::size_t row, int x, uint32_t bits)
    {
        const std::size_t bit = std::size_t(x) * bits;
        return (b[row + bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
    }
    uint32_t index(int x, int y) const
    {
        return sample(bytes, colour_plane() + stride(bits) * (height - 1 - y), x, bits);
    }
    Rgb colour(int x, int y) const
    {
        const std::size_t p = palette() + 4 * index(x, y);
        return {bytes[p + 2], bytes[p + 1], bytes[p]};
    }
    bool transparent(int x, int y) const
    {
        const std::size_t and_plane = colour_plane() + stride(bits) * height;
        return sample(bytes, and_plane + stride(1) * (height - 1 - y), x, 1) == 1;
    }
};

Dib bmp(const std::string& name)
{
    const std::span<const uint8_t> b = file_named(name);
    EXPECT_GE(b.size(), 54u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(read_u32(b, 2), b.size());
    Dib dib(b, 14, false);
    EXPECT_EQ(read_u32(b, 10), dib.colour_plane()) << "pixel offset";
    EXPECT_EQ(dib.end(), b.size());
    return dib;
}

TEST(ResourceImages, BoardBitmapLinesSquaresAndStrip)
{
    const Dib grid = bmp("grille1.bmp");
    ASSERT_EQ(grid.width, 244);
    ASSERT_EQ(grid.height, 244);
    EXPECT_EQ(grid.bits, 4u);
    EXPECT_EQ(grid.compression, 0u);

    for (int line = 0; line <= 240; line += 30) {
        SCOPED_TRACE(line);
        EXPECT_EQ(grid.colour(line, 15), black);
        EXPECT_EQ(grid.colour(15, line), black);
        EXPECT_EQ(grid.colour(line, 239), black);
        EXPECT_EQ(grid.colour(239, line), black);
    }
    for (int p : {1, 29, 31, 59, 121, 211, 239}) {
        SCOPED_TRACE(p);
        EXPECT_EQ(grid.colour(p, p), light_grey);
        EXPECT_EQ(grid.colour(p, 240 - p), light_grey);
    }
    for (int edge = 241; edge <= 243; ++edge) {
        for (int along : {0, 1, 30, 120, 240, 243}) {
            SCOPED_TRACE(testing::Message() << edge << "," << along);
            EXPECT_EQ(grid.colour(edge, along), white) << "right strip";
            EXPECT_EQ(grid.colour(along, edge), white) << "bottom strip";
        }
    }
    // Top and left carry a line, not a strip: the image is not upside down or mirrored.
    EXPECT_EQ(grid.colour(15, 1), light_grey);
    EXPECT_EQ(grid.colour(1, 15), light_grey);
}

void expect_piece(const std::string& name, Rgb fill)
{
    SCOPED_TRACE(name);
    const Dib piece = bmp(name);
    ASSERT_EQ(piece.width, 27);
    ASSERT_EQ(piece.height, 27);
    EXPECT_EQ(piece.bits, 4u);

    constexpr int middle = 14;
    for (bool across : {true, false}) {
        auto at = [&](int p) { return across ? piece.colour(p, middle) : piece.colour(middle, p); };
        EXPECT_EQ(at(5), light_grey);
        EXPECT_EQ(at(6), black) << "ring";
        EXPECT_EQ(at(7), fill);
        EXPECT_EQ(at(middle), fill);
        EXPECT_EQ(at(21), fill);
        EXPECT_EQ(at(22), black) << "ring";
        EXPECT_EQ(at(23), light_grey);
    }
    EXPECT_EQ(piece.colour(0, 0), light_grey);
    EXPECT_EQ(piece.colour(26, 26), light_grey);
    EXPECT_EQ(piece.colour(6, 6), light_grey) << "a disc, not a square";
    // Round about pixel 14, which leaves a wider margin on the left and top.
    for (int y = 2; y < 27; ++y)
        for (int x = 2; x < 27; ++x)
            ASSERT_EQ(piece.colour(x, y), piece.colour(28 - x, 28 - y)) << x << "," << y;
}

TEST(ResourceImages, PieceBitmaps)
{
    expect_piece("point_blanc.bmp", white);
    expect_piece("point_noir.bmp", black);
}

TEST(ResourceImages, IconHoldsTwoSixteenColourSizes)
{
    const std::span<const uint8_t> ico = file_named("korvane.ico");
    ASSERT_GE(ico.size(), 6u + 2 * 16);
    EXPECT_EQ(read_u16(ico, 0), 0u);
    EXPECT_EQ(read_u16(ico, 2), 1u) << "icon file";
    ASSERT_EQ(read_u16(ico, 4), 2u);
    const uint32_t sizes[] = {32, 16};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(sizes[i]);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], sizes[i]);
        EXPECT_EQ(ico[entry + 1], sizes[i]);
        EXPECT_EQ(ico[entry + 2], 16u) << "colours";
        EXPECT_EQ(read_u16(ico, entry + 6), 4u) << "bits per pixel";
        const uint32_t length = read_u32(ico, entry + 8), offset = read_u32(ico, entry + 12);
        ASSERT_LE(std::size_t(offset) + length, ico.size());
        const Dib image(ico, offset, true);
        EXPECT_EQ(image.width, int32_t(sizes[i]));
        EXPECT_EQ(image.height, int32_t(sizes[i]));
        EXPECT_EQ(image.bits, 4u);
        EXPECT_EQ(image.end(), std::size_t(offset) + length);
    }
}

Dib cursor(const std::string& name)
{
    const std::span<const uint8_t> cur = file_named(name);
    EXPECT_GE(cur.size(), 22u);
    EXPECT_EQ(read_u16(cur, 0), 0u);
    EXPECT_EQ(read_u16(cur, 2), 2u) << "cursor file";
    EXPECT_EQ(read_u16(cur, 4), 1u);
    EXPECT_EQ(cur[6], 32u);
    EXPECT_EQ(cur[7], 32u);
    EXPECT_EQ(read_u16(cur, 10), 15u) << "hot spot x";
    EXPECT_EQ(read_u16(cur, 12), 15u) << "hot spot y";
    const uint32_t length = read_u32(cur, 14), offset = read_u32(cur, 18);
    EXPECT_EQ(std::size_t(offset) + length, cur.size());
    Dib image(cur, offset, true);
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.bits, 1u) << "monochrome";
    EXPECT_EQ(image.end(), cur.size());
    return image;
}

bool drawn_black(const Dib& c, int x, int y) { return !c.transparent(x, y) && c.colour(x, y) == black; }

TEST(ResourceImages, YesCursorIsAPlusTwoPixelsThick)
{
    const Dib yes = cursor("oui.cur");
    EXPECT_TRUE(drawn_black(yes, 15, 15)) << "hot spot on the cross";
    for (int along : {4, 10, 21, 27}) {
        SCOPED_TRACE(along);
        EXPECT_TRUE(drawn_black(yes, along, 15) && drawn_black(yes, along, 16));
        EXPECT_FALSE(drawn_black(yes, along, 14) || drawn_black(yes, along, 17));
        EXPECT_TRUE(drawn_black(yes, 15, along) && drawn_black(yes, 16, along));
        EXPECT_FALSE(drawn_black(yes, 14, along) || drawn_black(yes, 17, along));
    }
    EXPECT_TRUE(yes.transparent(0, 0));
    EXPECT_TRUE(yes.transparent(8, 8)) << "between the arms";
}

TEST(ResourceImages, NoCursorIsACrossedCircle)
{
    const Dib no = cursor("non.cur");
    EXPECT_TRUE(drawn_black(no, 15, 15)) << "hot spot where the diagonals cross";
    for (int p : {10, 21}) {
        EXPECT_TRUE(drawn_black(no, p, p));
        EXPECT_TRUE(drawn_black(no, p, 31 - p));
    }
    for (int p : {5, 26}) {
        EXPECT_TRUE(drawn_black(no, p, 15)) << "ring";
        EXPECT_TRUE(drawn_black(no, 15, p)) << "ring";
    }
    EXPECT_TRUE(no.transparent(15, 9)) << "inside the ring, off the diagonals";
    EXPECT_TRUE(no.transparent(0, 0));
    EXPECT_TRUE(no.transparent(31, 31));
}

} // namespace
