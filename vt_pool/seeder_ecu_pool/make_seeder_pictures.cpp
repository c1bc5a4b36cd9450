// Draws the seeder pool's eight pictures from simple shapes in palette
// indices of the ISO 11783-6 standard palette, run-length encodes them as
// the pool sends them, and writes them as constant arrays into the header
// named on the command line. Each array's size is its picture's raw-data
// length.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Palette indices.
constexpr uint8_t black = 0, white = 1, green = 2, silver = 7, grey = 8, blue = 9, red = 12, magenta = 13,
                  yellow = 14, light_blue = 153;

struct Image {
    Image(int width, int height, uint8_t background)
        : width(width), height(height), pixels(size_t(width) * size_t(height), background)
    {
    }
    uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    void set(int x, int y, uint8_t colour)
    {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[size_t(y) * size_t(width) + size_t(x)] = colour;
    }
    // The pixels x0 <= x < x1, y0 <= y < y1.
    void box(int x0, int y0, int x1, int y1, uint8_t colour)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                set(x, y, colour);
    }
    void disc(int cx, int cy, int r, uint8_t colour)
    {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    set(x, y, colour);
    }
    // The pixels whose centres lie inside the triangle.
    void triangle(int ax, int ay, int bx, int by, int cx, int cy, uint8_t colour)
    {
        auto side = [](long px, long py, long qx, long qy, long x, long y) {
            return (qx - px) * (y - py) - (qy - py) * (x - px);
        };
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const long x2 = 2 * x + 1, y2 = 2 * y + 1;
                const long d1 = side(2 * ax, 2 * ay, 2 * bx, 2 * by, x2, y2);
                const long d2 = side(2 * bx, 2 * by, 2 * cx, 2 * cy, x2, y2);
                const long d3 = side(2 * cx, 2 * cy, 2 * ax, 2 * ay, x2, y2);
                if ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0))
                    set(x, y, colour);
            }
    }

    int width;
    int height;
    std::vector<uint8_t> pixels;
};

// Runs carry on across row ends; a run is cut only at another colour or at 255 pixels.
std::vector<uint8_t> encode(const Image& image)
{
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < image.pixels.size()) {
        const uint8_t colour = image.pixels[i];
        unsigned count = 0;
        while (i < image.pixels.size() && image.pixels[i] == colour && count < 255) {
            ++count;
            ++i;
        }
        out.push_back(uint8_t(count));
        out.push_back(colour);
    }
    return out;
}

// An air seeder seen from the side, on a grid of 44 x 44 cells of scale pixels.
void draw_seeder(Image& image, int scale, int left, int top)
{
    auto box = [&](int x0, int y0, int x1, int y1, uint8_t colour) {
        image.box(left + x0 * scale, top + y0 * scale, left + x1 * scale, top + y1 * scale, colour);
    };
    auto disc = [&](int cx, int cy, int r, uint8_t colour) {
        image.disc(left + cx * scale, top + cy * scale, r * scale, colour);
    };
    image.triangle(left + 6 * scale, top + 6 * scale, left + 36 * scale, top + 6 * scale, left + 21 * scale,
                   top + 27 * scale, green); // hopper
    box(8, 4, 34, 8, green);                 // lid
    box(4, 26, 40, 30, black);               // frame
    box(38, 27, 44, 29, black);              // tow bar
    disc(12, 34, 6, black);                  // wheels
    disc(32, 34, 6, black);
    disc(12, 34, 2, silver);
    disc(32, 34, 2, silver);
}

Image seeder_designator()
{
    Image image(44, 44, light_blue); // the transparency colour
    draw_seeder(image, 1, 0, 0);
    return image;
}

Image splash_logo()
{
    Image image(224, 210, white);
    image.disc(190, 34, 22, yellow); // sun
    image.box(0, 170, 224, 210, green);
    image.box(0, 196, 224, 200, blue);
    draw_seeder(image, 4, 24, 0);
    return image;
}

Image button_background()
{
    Image image(80, 60, grey);
    image.box(2, 2, 78, 58, silver);
    image.box(2, 2, 78, 4, white); // highlight along the top
    return image;
}

// The alarm frame's top strip: red and yellow stripes slanting down to the left.
Image border_top()
{
    Image image(474, 6, red);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.set(x, y, (x + y) / 6 % 2 ? yellow : red);
    return image;
}

Image upside_down(const Image& from)
{
    Image image(from.width, from.height, 0);
    for (int y = 0; y < from.height; ++y)
        for (int x = 0; x < from.width; ++x)
            image.set(x, from.height - 1 - y, from.at(x, y));
    return image;
}

Image transposed(const Image& from)
{
    Image image(from.height, from.width, 0);
    for (int y = 0; y < from.height; ++y)
        for (int x = 0; x < from.width; ++x)
            image.set(y, x, from.at(x, y));
    return image;
}

Image mirrored(const Image& from)
{
    Image image(from.width, from.height, 0);
    for (int y = 0; y < from.height; ++y)
        for (int x = 0; x < from.width; ++x)
            image.set(from.width - 1 - x, y, from.at(x, y));
    return image;
}

// A warning sign: an exclamation mark in a yellow triangle edged in black.
Image warning()
{
    Image image(72, 72, magenta); // the transparency colour
    image.triangle(36, 2, 2, 68, 70, 68, black);
    image.triangle(36, 12, 10, 63, 62, 63, yellow);
    image.box(33, 26, 39, 50, black);
    image.disc(36, 56, 3, black);
    return image;
}

bool write_array(FILE* out, const char* name, const Image& image)
{
    const std::vector<uint8_t> data = encode(image);
    std::fprintf(out, "\n// %d x %d pixels in %zu runs.\ninline constexpr uint8_t %s[] = {", image.width, image.height,
                 data.size() / 2, name);
    for (size_t i = 0; i < data.size(); ++i)
        std::fprintf(out, "%s%u,", i % 16 ? " " : "\n    ", unsigned(data[i]));
    return std::fprintf(out, "\n};\n") > 0;
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeder_pictures HEADER\n");
        return 2;
    }
    FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const Image top = border_top();
    const Image left = transposed(top);
    std::fprintf(out, "#pragma once\n// Made by make_seeder_pictures: the seeder pool's pictures, 8-bit colour, "
                      "run-length encoded.\n#include <cstdint>\n\nnamespace VT::Seeder_pictures {\n");
    const bool written = write_array(out, "skpic_seeder", seeder_designator())
                         && write_array(out, "pic_logo_splash", splash_logo())
                         && write_array(out, "pic_button_background", button_background())
                         && write_array(out, "pic_alarm_brdr_top", top)
                         && write_array(out, "pic_alarm_brdr_bottom", upside_down(top))
                         && write_array(out, "pic_alarm_brdr_left", left)
                         && write_array(out, "pic_alarm_brdr_right", mirrored(left))
                         && write_array(out, "pic_warning", warning()) && std::fprintf(out, "\n}\n") > 0;
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
