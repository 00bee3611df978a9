// sheet_tool: turns the text pixel-art sources in content/art into the game's
// sprite sheets, checks that the committed sheets still match them, and draws
// a contact sheet for reviewing the art.
//
//   sheet_tool build   <art_dir> <out_dir>    writes <out_dir>/<Sheet>.pbm
//   sheet_tool check   <art_dir> <sheet_dir>  non-zero exit on any mismatch
//   sheet_tool preview <art_dir> <out.png>    4x contact sheet with cell labels
//
// The .pbm files are uncompressed 24-bit Windows BMPs (BITMAPINFOHEADER,
// bottom-up rows padded to 4 bytes), which SDL_LoadBMP reads directly.
//
// Source format, one directive per line (a line starting with '#' is a note):
//   size W H                 sheet size in pixels; comes first
//   include FILE             reads FILE (relative to the art directory) here
//   backdrop                 drawn without colour key: black is not transparent
//   color C R G B            palette character C paints (R,G,B)
//   cell NAME X Y W H        a rectangle the game cuts; must not stay empty
//   slope N X Y              the 16x16 tile at X,Y is slope N: its painted
//                            pixels must be exactly the solid side of the line
//   at X Y                   the following lines, up to a line "end", are rows
//                            of palette characters painted from X,Y
//   copy SX SY W H DX DY     copies an already drawn rectangle
//   mirror SX SY W H DX DY   the same, flipped left to right
//   flip SX SY W H DX DY     the same, flipped top to bottom
// The sheet starts black. '.' and ' ' paint nothing, so they stay black, which
// is transparent in every sheet but a backdrop. A sprite sheet may not map a
// visible character to pure black: the colour key would punch holes in it.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "png_file.h"
#include "sheet_names.h"
#include "slope_kinds.h"
#include "tile_type.h"
#include "units.h"

namespace {

constexpr int kTile = 16;
constexpr int kPreviewScale = 4;
constexpr int kPreviewMargin = 16;
constexpr int kPreviewMaxRowWidth = 1400;
// A sheet grows this big at most; keeps a typo from allocating gigabytes.
constexpr int kMaxSheetSide = 4096;

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool isBlack() const { return r == 0 && g == 0 && b == 0; }
};

struct Cell {
  std::string name;
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  std::string where;
};

struct SlopeTile {
  int kind = 0;
  int x = 0;
  int y = 0;
  std::string where;
};

struct Sheet {
  std::string name;
  int width = 0;
  int height = 0;
  bool backdrop = false;
  std::vector<Rgb> pixels;
  std::vector<Cell> cells;
  std::vector<SlopeTile> slopes;

  Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  void set(int x, int y, Rgb c) { pixels[static_cast<std::size_t>(y * width + x)] = c; }
  bool contains(int x, int y, int w, int h) const {
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= width && y + h <= height;
  }
};

class Parser {
 public:
  Parser(std::string art_dir, Sheet& sheet) : art_dir_(std::move(art_dir)), sheet_(sheet) {}

  bool parseFile(const std::string& file_name, int depth) {
    if (depth > 8) return fail(file_name + ": includes nest too deeply");
    std::ifstream in(art_dir_ + "/" + file_name);
    if (!in) return fail(file_name + ": cannot open");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
      where_ = file_name + ":" + std::to_string(i + 1);
      std::istringstream words(lines[i]);
      std::string word;
      if (!(words >> word) || word[0] == '#') continue;
      if (word != "size" && word != "include" && word != "color" && sheet_.width == 0)
        return fail("'size' must come before '" + word + "'");
      if (word == "size") {
        if (!parseSize(words)) return false;
      } else if (word == "include") {
        std::string other;
        if (!(words >> other)) return fail("include needs a file name");
        if (!parseFile(other, depth + 1)) return false;
      } else if (word == "backdrop") {
        sheet_.backdrop = true;
      } else if (word == "color") {
        if (!parseColor(words)) return false;
      } else if (word == "cell") {
        if (!parseCell(words)) return false;
      } else if (word == "slope") {
        if (!parseSlope(words)) return false;
      } else if (word == "at") {
        int x = 0;
        int y = 0;
        if (!(words >> x >> y)) return fail("at needs X Y");
        std::size_t row = i + 1;
        for (; row < lines.size() && trimmed(lines[row]) != "end"; ++row) {
          where_ = file_name + ":" + std::to_string(row + 1);
          if (!paintRow(lines[row], x, y + static_cast<int>(row - i - 1))) return false;
        }
        if (row == lines.size()) return fail("block from line " + std::to_string(i + 1) + " has no 'end'");
        i = row;
      } else if (word == "copy" || word == "mirror" || word == "flip") {
        if (!parseCopy(words, word)) return false;
      } else {
        return fail("unknown directive '" + word + "'");
      }
    }
    return true;
  }

  const std::string& error() const { return error_; }

  // Palette characters that paint pure black, with where they were defined.
  std::vector<std::string> blackKeys() const {
    std::vector<std::string> out;
    for (const auto& [key, rgb] : palette_)
      if (rgb.isBlack()) out.push_back(std::string("'") + key + "' (" + palette_where_.at(key) + ")");
    return out;
  }

 private:
  static std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
  }

  bool fail(const std::string& message) {
    error_ = (where_.empty() ? "" : where_ + ": ") + message;
    return false;
  }

  static bool inByte(int v) { return v >= 0 && v <= 255; }

  bool parseSize(std::istringstream& words) {
    if (sheet_.width != 0) return fail("size given twice");
    int w = 0;
    int h = 0;
    if (!(words >> w >> h) || w <= 0 || h <= 0 || w > kMaxSheetSide || h > kMaxSheetSide)
      return fail("size needs a width and height between 1 and " + std::to_string(kMaxSheetSide));
    sheet_.width = w;
    sheet_.height = h;
    sheet_.pixels.assign(static_cast<std::size_t>(w * h), Rgb{});
    return true;
  }

  bool parseColor(std::istringstream& words) {
    std::string key;
    int r = 0;
    int g = 0;
    int b = 0;
    if (!(words >> key >> r >> g >> b) || key.size() != 1 || !inByte(r) || !inByte(g) || !inByte(b))
      return fail("color needs one character and R G B from 0 to 255");
    if (key[0] == '.' || key[0] == '#') return fail("'" + key + "' cannot be a palette character");
    palette_[key[0]] = Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
    palette_where_[key[0]] = where_;
    return true;
  }

  bool parseCell(std::istringstream& words) {
    Cell c;
    if (!(words >> c.name >> c.x >> c.y >> c.w >> c.h)) return fail("cell needs NAME X Y W H");
    if (!sheet_.contains(c.x, c.y, c.w, c.h)) return fail("cell '" + c.name + "' lies outside the sheet");
    c.where = where_;
    sheet_.cells.push_back(c);
    return true;
  }

  bool parseSlope(std::istringstream& words) {
    SlopeTile s;
    if (!(words >> s.kind >> s.x >> s.y) || s.kind < 0 || s.kind >= static_cast<int>(kNumSlopeKinds))
      return fail("slope needs N (0-" + std::to_string(kNumSlopeKinds - 1) + ") X Y");
    if (!sheet_.contains(s.x, s.y, kTile, kTile)) return fail("slope tile lies outside the sheet");
    s.where = where_;
    sheet_.slopes.push_back(s);
    return true;
  }

  bool paintRow(const std::string& row, int x, int y) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      const char ch = row[i];
      if (ch == '.' || ch == ' ') continue;
      const auto found = palette_.find(ch);
      if (found == palette_.end())
        return fail(std::string("unknown palette character '") + ch + "' in column " + std::to_string(i + 1));
      const int px = x + static_cast<int>(i);
      if (!sheet_.contains(px, y, 1, 1)) return fail("row paints outside the sheet at " + std::to_string(px) + "," +
                                                      std::to_string(y));
      sheet_.set(px, y, found->second);
    }
    return true;
  }

  bool parseCopy(std::istringstream& words, const std::string& how) {
    int sx = 0;
    int sy = 0;
    int w = 0;
    int h = 0;
    int dx = 0;
    int dy = 0;
    if (!(words >> sx >> sy >> w >> h >> dx >> dy)) return fail(how + " needs SX SY W H DX DY");
    if (!sheet_.contains(sx, sy, w, h) || !sheet_.contains(dx, dy, w, h))
      return fail(how + " reaches outside the sheet");
    // Read the whole source first so overlapping rectangles copy cleanly.
    std::vector<Rgb> block;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) block.push_back(sheet_.at(sx + x, sy + y));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int fx = how == "mirror" ? w - 1 - x : x;
        const int fy = how == "flip" ? h - 1 - y : y;
        sheet_.set(dx + x, dy + y, block[static_cast<std::size_t>(fy * w + fx)]);
      }
    }
    return true;
  }

  std::string art_dir_;
  Sheet& sheet_;
  std::string where_;
  std::string error_;
  std::map<char, Rgb> palette_;
  std::map<char, std::string> palette_where_;
};

// The solid side of a slope tile, from the surface lines the collisions use, tested at
// the pixel's centre. The centres never fall on a line, so every pixel is cleanly in or out.
bool slopeSolid(int kind, int px, int py) {
  const TileType& type = kSlopeKinds[kind];
  const GameUnit units_per_pixel = tileToGame(1) / kTile;
  const GameUnit x = (static_cast<GameUnit>(px) + 0.5f) * units_per_pixel;
  const GameUnit y = (static_cast<GameUnit>(py) + 0.5f) * units_per_pixel;
  const GameUnit surface = slopeOf(type) * x + slopeOffsetOf(type);
  // A ceiling's slope is solid above its surface, a floor's below.
  return type.test(TOP_SLOPE) ? y < surface : y > surface;
}

struct Loaded {
  Sheet sheet;
  bool ok = false;
  std::vector<std::string> problems;
};

Loaded loadSheet(const std::string& art_dir, const std::string& name) {
  Loaded out;
  out.sheet.name = name;
  Parser parser(art_dir, out.sheet);
  if (!parser.parseFile(name + ".txt", 0)) {
    out.problems.push_back(parser.error());
    return out;
  }
  if (out.sheet.width == 0) {
    out.problems.push_back(name + ".txt: no size given");
    return out;
  }
  out.ok = true;
  const Sheet& s = out.sheet;
  for (const Cell& c : s.cells) {
    bool any = false;
    for (int y = c.y; y < c.y + c.h && !any; ++y)
      for (int x = c.x; x < c.x + c.w && !any; ++x) any = !s.at(x, y).isBlack();
    if (!any) out.problems.push_back(c.where + ": cell '" + c.name + "' is empty (all transparent)");
  }
  if (!s.backdrop)
    for (const std::string& key : parser.blackKeys())
      out.problems.push_back(name + ": palette character " + key +
                             " paints pure black, which the colour key makes transparent");
  for (const SlopeTile& t : s.slopes) {
    int wrong = 0;
    std::string first;
    for (int py = 0; py < kTile; ++py) {
      for (int px = 0; px < kTile; ++px) {
        const bool painted = !s.at(t.x + px, t.y + py).isBlack();
        if (painted != slopeSolid(t.kind, px, py)) {
          if (wrong++ == 0)
            first = std::to_string(px) + "," + std::to_string(py) + (painted ? " is painted" : " is empty");
        }
      }
    }
    if (wrong)
      out.problems.push_back(t.where + ": slope " + std::to_string(t.kind) + " tile has " + std::to_string(wrong) +
                             " pixel(s) off its surface line, first at " + first);
  }
  return out;
}

void putLittle(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> encodeBmp(const Sheet& s) {
  const uint32_t row_bytes = (static_cast<uint32_t>(s.width) * 3 + 3) & ~3u;
  const uint32_t image_bytes = row_bytes * static_cast<uint32_t>(s.height);
  const uint32_t header_bytes = 14 + 40;
  std::vector<uint8_t> out;
  out.reserve(header_bytes + image_bytes);
  out.push_back('B');
  out.push_back('M');
  putLittle(out, header_bytes + image_bytes, 4);
  putLittle(out, 0, 4);
  putLittle(out, header_bytes, 4);
  putLittle(out, 40, 4);
  putLittle(out, static_cast<uint32_t>(s.width), 4);
  putLittle(out, static_cast<uint32_t>(s.height), 4);  // positive: bottom-up
  putLittle(out, 1, 2);
  putLittle(out, 24, 2);
  putLittle(out, 0, 4);  // BI_RGB
  putLittle(out, image_bytes, 4);
  putLittle(out, 2835, 4);  // 72 dpi
  putLittle(out, 2835, 4);
  putLittle(out, 0, 4);
  putLittle(out, 0, 4);
  for (int y = s.height - 1; y >= 0; --y) {
    for (int x = 0; x < s.width; ++x) {
      const Rgb c = s.at(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (uint32_t pad = static_cast<uint32_t>(s.width) * 3; pad < row_bytes; ++pad) out.push_back(0);
  }
  return out;
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<Loaded> loadAll(const std::string& art_dir) {
  std::vector<Loaded> all;
  for (const char* name : kSheetNames) all.push_back(loadSheet(art_dir, name));
  return all;
}

void report(const std::vector<std::string>& problems) {
  for (const std::string& p : problems) std::cerr << "error: " << p << "\n";
}

int build(const std::string& art_dir, const std::string& out_dir) {
  std::error_code ec;
  std::filesystem::create_directories(out_dir, ec);
  int failures = 0;
  for (const Loaded& l : loadAll(art_dir)) {
    report(l.problems);
    failures += static_cast<int>(l.problems.size());
    if (!l.ok) continue;
    const std::string path = out_dir + "/" + l.sheet.name + ".pbm";
    if (!writeFile(path, encodeBmp(l.sheet))) {
      std::cerr << "error: cannot write " << path << "\n";
      ++failures;
    }
  }
  return failures ? 1 : 0;
}

int check(const std::string& art_dir, const std::string& sheet_dir) {
  int failures = 0;
  for (const Loaded& l : loadAll(art_dir)) {
    report(l.problems);
    failures += static_cast<int>(l.problems.size());
    if (!l.ok) continue;
    const std::string path = sheet_dir + "/" + l.sheet.name + ".pbm";
    std::vector<uint8_t> committed;
    if (!readFile(path, committed)) {
      std::cerr << "error: " << path << " is missing; run 'sheet_tool build'\n";
      ++failures;
    } else if (committed != encodeBmp(l.sheet)) {
      std::cerr << "error: " << path << " differs from what " << l.sheet.name
                << ".txt produces; run 'sheet_tool build' and commit the result\n";
      ++failures;
    }
  }
  if (failures == 0) std::cout << "All " << std::size(kSheetNames) << " sheets match their source.\n";
  return failures ? 1 : 0;
}

// 3x5 letters for the preview labels; each row is three bits, leftmost high.
const std::map<char, std::vector<int>>& font() {
  static const std::map<char, std::vector<int>> glyphs = {
      {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
      {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
      {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
      {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},
      {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}},
      {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},
      {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},
      {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},
      {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
      {'_', {0, 0, 0, 0, 7}}, {'-', {0, 0, 7, 0, 0}}, {'.', {0, 0, 0, 0, 2}}, {' ', {0, 0, 0, 0, 0}},
      {'?', {7, 1, 2, 0, 2}}, {'(', {1, 2, 2, 2, 1}}, {')', {4, 2, 2, 2, 4}}};
  return glyphs;
}

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;

  Canvas(int w, int h, Rgb fill) : width(w), height(h), rgb(static_cast<std::size_t>(w * h * 3)) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) set(x, y, fill);
  }
  void set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const std::size_t i = static_cast<std::size_t>((y * width + x) * 3);
    rgb[i] = c.r;
    rgb[i + 1] = c.g;
    rgb[i + 2] = c.b;
  }
  void fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) set(i, j, c);
  }
  void frame(int x, int y, int w, int h, Rgb c) {
    fill(x, y, w, 1, c);
    fill(x, y + h - 1, w, 1, c);
    fill(x, y, 1, h, c);
    fill(x + w - 1, y, 1, h, c);
  }
  void text(int x, int y, const std::string& s, int scale, Rgb c) {
    for (std::size_t n = 0; n < s.size(); ++n) {
      const char ch = static_cast<char>(std::toupper(static_cast<unsigned char>(s[n])));
      const auto found = font().find(ch);
      const std::vector<int>& rows = found == font().end() ? font().at('?') : found->second;
      for (int r = 0; r < 5; ++r)
        for (int b = 0; b < 3; ++b)
          if (rows[static_cast<std::size_t>(r)] & (4 >> b))
            fill(x + (static_cast<int>(n) * 4 + b) * scale, y + r * scale, scale, scale, c);
    }
  }
};

int textWidth(const std::string& s, int scale) { return static_cast<int>(s.size()) * 4 * scale - scale; }

int preview(const std::string& art_dir, const std::string& out_png) {
  const std::vector<Loaded> all = loadAll(art_dir);
  int failures = 0;
  for (const Loaded& l : all) {
    report(l.problems);
    if (!l.ok) ++failures;
  }
  if (failures) return 1;

  const Rgb background{36, 34, 44};
  const Rgb checker_a{104, 104, 108};
  const Rgb checker_b{128, 128, 132};
  const Rgb grid{72, 84, 112};
  const Rgb outline{255, 214, 64};
  const Rgb label_back{20, 16, 28};
  const Rgb label_text{240, 240, 240};
  const Rgb title{220, 220, 228};
  const int title_height = 5 * 2 + 6;

  // Shelf packing in the game's order: a sheet goes right of the last one
  // until the row would pass the width limit.
  struct Place {
    int x;
    int y;
  };
  std::vector<Place> places;
  int x = kPreviewMargin;
  int y = kPreviewMargin;
  int row_height = 0;
  int width = 0;
  for (const Loaded& l : all) {
    const int w = l.sheet.width * kPreviewScale;
    const int h = l.sheet.height * kPreviewScale + title_height;
    if (x > kPreviewMargin && x + w > kPreviewMaxRowWidth) {
      x = kPreviewMargin;
      y += row_height + kPreviewMargin;
      row_height = 0;
    }
    places.push_back({x, y});
    x += w + kPreviewMargin;
    width = std::max(width, x);
    row_height = std::max(row_height, h);
  }
  const int height = y + row_height + kPreviewMargin;

  Canvas canvas(width, height, background);
  for (std::size_t n = 0; n < all.size(); ++n) {
    const Sheet& s = all[n].sheet;
    const int ox = places[n].x;
    const int oy = places[n].y + title_height;
    canvas.text(ox, places[n].y, s.name + (s.backdrop ? " (backdrop)" : ""), 2, title);
    for (int py = 0; py < s.height * kPreviewScale; ++py) {
      for (int px = 0; px < s.width * kPreviewScale; ++px) {
        const Rgb c = s.at(px / kPreviewScale, py / kPreviewScale);
        const bool dark_square = ((px / 8) + (py / 8)) % 2 == 0;
        canvas.set(ox + px, oy + py, c.isBlack() && !s.backdrop ? (dark_square ? checker_a : checker_b) : c);
      }
    }
    for (int gx = 0; gx <= s.width; gx += kTile) canvas.fill(ox + gx * kPreviewScale, oy, 1, s.height * kPreviewScale, grid);
    for (int gy = 0; gy <= s.height; gy += kTile) canvas.fill(ox, oy + gy * kPreviewScale, s.width * kPreviewScale, 1, grid);
    canvas.frame(ox - 1, oy - 1, s.width * kPreviewScale + 2, s.height * kPreviewScale + 2, grid);
    for (const Cell& c : s.cells)
      canvas.frame(ox + c.x * kPreviewScale, oy + c.y * kPreviewScale, c.w * kPreviewScale, c.h * kPreviewScale,
                   outline);
    // Labels go on after every outline so neighbouring cells cannot cover them.
    for (const Cell& c : s.cells) {
      const int lx = ox + c.x * kPreviewScale + 1;
      const int ly = oy + c.y * kPreviewScale + 1;
      canvas.fill(lx, ly, textWidth(c.name, 1) + 2, 7, label_back);
      canvas.text(lx + 1, ly + 1, c.name, 1, label_text);
    }
  }
  if (!writePng(out_png, RgbImage{canvas.width, canvas.height, canvas.rgb})) {
    std::cerr << "error: cannot write " << out_png << "\n";
    return 1;
  }
  return 0;
}

int usage() {
  std::cerr << "usage: sheet_tool build <art_dir> <out_dir>\n"
               "       sheet_tool check <art_dir> <sheet_dir>\n"
               "       sheet_tool preview <art_dir> <out.png>\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return usage();
  const std::string mode = argv[1];
  if (mode == "build") return build(argv[2], argv[3]);
  if (mode == "check") return check(argv[2], argv[3]);
  if (mode == "preview") return preview(argv[2], argv[3]);
  return usage();
}
