#include "png_writer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <fstream>

namespace {

const std::array<uint32_t, 256>& crcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

uint32_t crc32(const std::vector<uint8_t>& bytes, std::size_t begin) {
  uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = begin; i < bytes.size(); ++i) c = crcTable()[(c ^ bytes[i]) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::vector<uint8_t>& bytes) {
  uint32_t a = 1;
  uint32_t b = 0;
  for (uint8_t v : bytes) {
    a = (a + v) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

void putBigEndian(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  putBigEndian(out, static_cast<uint32_t>(data.size()));
  const std::size_t crc_begin = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBigEndian(out, crc32(out, crc_begin));
}

// ---- Row filters -----------------------------------------------------------

uint8_t paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  if (pb <= pc) return static_cast<uint8_t>(b);
  return static_cast<uint8_t>(c);
}

// Filters one row with the given type. `prev` is the unfiltered row above
// (all zeros for the top row), bpp is 3 for RGB8. One loop per type keeps
// the switch out of the per-byte work; the first pixel has no left side.
void filterRow(int type, const uint8_t* row, const uint8_t* prev, std::size_t n, uint8_t* out) {
  constexpr std::size_t bpp = 3;
  const std::size_t head = std::min(bpp, n);
  switch (type) {
    case 1:
      for (std::size_t i = 0; i < head; ++i) out[i] = row[i];
      for (std::size_t i = bpp; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - row[i - bpp]);
      break;
    case 2:
      for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - prev[i]);
      break;
    case 3:
      for (std::size_t i = 0; i < head; ++i) out[i] = static_cast<uint8_t>(row[i] - prev[i] / 2);
      for (std::size_t i = bpp; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - (row[i - bpp] + prev[i]) / 2);
      break;
    case 4:
      for (std::size_t i = 0; i < head; ++i) out[i] = static_cast<uint8_t>(row[i] - prev[i]);
      for (std::size_t i = bpp; i < n; ++i)
        out[i] = static_cast<uint8_t>(row[i] - paeth(row[i - bpp], prev[i], prev[i - bpp]));
      break;
    default:
      std::copy(row, row + n, out);
      break;
  }
}

// Picks each row's filter by the smallest sum of |byte| with the bytes read
// as signed: the usual heuristic, cheap, and good on flat art.
std::vector<uint8_t> filterImage(int width, int height, const std::vector<uint8_t>& rgb) {
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
  std::vector<uint8_t> raw;
  raw.reserve((row_bytes + 1) * static_cast<std::size_t>(height));
  const std::vector<uint8_t> zeros(row_bytes, 0);
  std::vector<uint8_t> trial(row_bytes);
  std::vector<uint8_t> best(row_bytes);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgb.data() + row_bytes * static_cast<std::size_t>(y);
    const uint8_t* prev = y > 0 ? row - row_bytes : zeros.data();
    int best_type = 0;
    uint64_t best_cost = UINT64_MAX;
    for (int type = 0; type < 5; ++type) {
      filterRow(type, row, prev, row_bytes, trial.data());
      uint64_t cost = 0;
      for (uint8_t v : trial) cost += v < 128 ? v : 256u - v;
      if (cost < best_cost) {
        best_cost = cost;
        best_type = type;
        best.swap(trial);
      }
    }
    raw.push_back(static_cast<uint8_t>(best_type));
    raw.insert(raw.end(), best.begin(), best.end());
  }
  return raw;
}

// ---- Deflate ---------------------------------------------------------------

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kHashBits = 15;
// Chain and lazy limits trade a little size for speed; flat art finds its
// 258-byte matches at the first candidate anyway.
constexpr int kMaxChain = 64;
constexpr int kGoodEnough = 128;
constexpr std::size_t kBlockTokens = 1u << 15;
constexpr std::size_t kMaxStoredBlock = 65535;

constexpr int kLitLenSymbols = 288;
constexpr int kDistSymbols = 30;

constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,  15,  17,  19,  23, 27,
                                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> kDistBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::array<uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct Token {
  uint16_t value;  // literal byte, or match length
  uint16_t dist;   // 0 for a literal
};

int lengthCode(int length) {
  int code = 0;
  while (code + 1 < 29 && kLengthBase[static_cast<std::size_t>(code + 1)] <= length) ++code;
  return code;
}

int distCode(int dist) {
  int code = 0;
  while (code + 1 < 30 && kDistBase[static_cast<std::size_t>(code + 1)] <= dist) ++code;
  return code;
}

// Tables so the per-token lookups above run once per possible value, not
// once per token.
const std::array<uint8_t, kMaxMatch + 1>& lengthCodeTable() {
  static const std::array<uint8_t, kMaxMatch + 1> table = [] {
    std::array<uint8_t, kMaxMatch + 1> t{};
    for (int len = kMinMatch; len <= kMaxMatch; ++len)
      t[static_cast<std::size_t>(len)] = static_cast<uint8_t>(lengthCode(len));
    return t;
  }();
  return table;
}

const std::vector<uint8_t>& distCodeTable() {
  static const std::vector<uint8_t> table = [] {
    std::vector<uint8_t> t(kWindow + 1, 0);
    for (int d = 1; d <= kWindow; ++d) t[static_cast<std::size_t>(d)] = static_cast<uint8_t>(distCode(d));
    return t;
  }();
  return table;
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

  void put(uint32_t bits, int count) {
    acc_ |= static_cast<uint64_t>(bits) << fill_;
    fill_ += count;
    while (fill_ >= 8) {
      out_.push_back(static_cast<uint8_t>(acc_));
      acc_ >>= 8;
      fill_ -= 8;
    }
  }

  void alignToByte() {
    if (fill_ > 0) put(0, 8 - fill_);
  }

  int pendingBits() const { return fill_; }

 private:
  std::vector<uint8_t>& out_;
  uint64_t acc_ = 0;
  int fill_ = 0;
};

struct HuffmanCode {
  std::vector<uint8_t> lengths;
  std::vector<uint16_t> codes;  // already bit-reversed for LSB-first output
};

// Canonical codes from lengths, as deflate defines them.
HuffmanCode canonical(const std::vector<uint8_t>& lengths) {
  HuffmanCode h;
  h.lengths = lengths;
  h.codes.assign(lengths.size(), 0);
  std::array<int, 16> count{};
  for (uint8_t l : lengths) ++count[l];
  count[0] = 0;
  std::array<int, 16> next{};
  int code = 0;
  for (int bits = 1; bits < 16; ++bits) {
    code = (code + count[static_cast<std::size_t>(bits - 1)]) << 1;
    next[static_cast<std::size_t>(bits)] = code;
  }
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    const int len = lengths[s];
    if (len == 0) continue;
    const int c = next[static_cast<std::size_t>(len)]++;
    int reversed = 0;
    for (int i = 0; i < len; ++i) reversed |= ((c >> i) & 1) << (len - 1 - i);
    h.codes[s] = static_cast<uint16_t>(reversed);
  }
  return h;
}

// Huffman code lengths no longer than `limit`. Ties are broken by symbol
// order, so the result depends only on the counts. When the tree comes out
// too deep the counts are halved and it is built again: not optimal, but
// simple and rare. At least two symbols always get a code, since some
// decoders refuse a code with a single symbol.
std::vector<uint8_t> codeLengths(std::vector<uint32_t> freq, int limit) {
  const std::size_t n = freq.size();
  int used = 0;
  for (uint32_t f : freq) used += f > 0 ? 1 : 0;
  for (std::size_t s = 0; s < n && used < 2; ++s) {
    if (freq[s] == 0) {
      freq[s] = 1;
      ++used;
    }
  }
  for (;;) {
    std::vector<std::size_t> leaves;
    for (std::size_t s = 0; s < n; ++s)
      if (freq[s] > 0) leaves.push_back(s);
    std::stable_sort(leaves.begin(), leaves.end(), [&](std::size_t a, std::size_t b) { return freq[a] < freq[b]; });

    // Two-queue construction: leaves in order, internal nodes as made.
    const std::size_t m = leaves.size();
    std::vector<uint64_t> node_freq(2 * m - 1);
    std::vector<std::size_t> parent(2 * m - 1, 0);
    for (std::size_t i = 0; i < m; ++i) node_freq[i] = freq[leaves[i]];
    std::size_t next_leaf = 0;
    std::size_t next_inner = m;
    std::size_t made = m;
    auto take = [&]() {
      if (next_leaf < m && (next_inner >= made || node_freq[next_leaf] <= node_freq[next_inner])) return next_leaf++;
      return next_inner++;
    };
    while (made < 2 * m - 1) {
      const std::size_t a = take();
      const std::size_t b = take();
      node_freq[made] = node_freq[a] + node_freq[b];
      parent[a] = made;
      parent[b] = made;
      ++made;
    }
    std::vector<int> depth(2 * m - 1, 0);
    for (std::size_t i = 2 * m - 1; i-- > 0;)
      if (i + 1 < 2 * m - 1) depth[i] = depth[parent[i]] + 1;

    std::vector<uint8_t> lengths(n, 0);
    int deepest = 0;
    for (std::size_t i = 0; i < m; ++i) {
      lengths[leaves[i]] = static_cast<uint8_t>(depth[i]);
      deepest = std::max(deepest, depth[i]);
    }
    if (deepest <= limit) return lengths;
    for (uint32_t& f : freq)
      if (f > 0) f = std::max<uint32_t>(1, f / 2);
  }
}

const HuffmanCode& fixedLitLen() {
  static const HuffmanCode code = [] {
    std::vector<uint8_t> l(kLitLenSymbols);
    for (int s = 0; s < kLitLenSymbols; ++s)
      l[static_cast<std::size_t>(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    return canonical(l);
  }();
  return code;
}

const HuffmanCode& fixedDist() {
  static const HuffmanCode code = canonical(std::vector<uint8_t>(kDistSymbols, 5));
  return code;
}

struct CodeLengthSymbol {
  uint8_t symbol;
  uint8_t extra;
};

// Run-length form of the code lengths (symbols 16, 17, 18) for a dynamic
// block header.
std::vector<CodeLengthSymbol> runLengths(const std::vector<uint8_t>& lengths) {
  std::vector<CodeLengthSymbol> out;
  std::size_t i = 0;
  while (i < lengths.size()) {
    const uint8_t v = lengths[i];
    std::size_t run = 1;
    while (i + run < lengths.size() && lengths[i + run] == v) ++run;
    i += run;
    if (v == 0) {
      while (run >= 11) {
        const std::size_t r = std::min<std::size_t>(run, 138);
        out.push_back({18, static_cast<uint8_t>(r - 11)});
        run -= r;
      }
      if (run >= 3) {
        out.push_back({17, static_cast<uint8_t>(run - 3)});
        run = 0;
      }
    } else {
      out.push_back({v, 0});
      --run;
      while (run >= 3) {
        const std::size_t r = std::min<std::size_t>(run, 6);
        out.push_back({16, static_cast<uint8_t>(r - 3)});
        run -= r;
      }
    }
    for (; run > 0; --run) out.push_back({v, 0});
  }
  return out;
}

int codeLengthExtraBits(int symbol) { return symbol == 16 ? 2 : symbol == 17 ? 3 : symbol == 18 ? 7 : 0; }

class Deflater {
 public:
  Deflater(const std::vector<uint8_t>& data, std::vector<uint8_t>& out)
      : data_(data), bits_(out), head_(std::size_t{1} << kHashBits, -1), prev_(kWindow, -1) {}

  void run() {
    const int n = static_cast<int>(data_.size());
    int pos = 0;
    int block_start = 0;
    bool have_next = false;
    Match next{};
    while (pos < n) {
      Match m = have_next ? next : find(pos);
      have_next = false;
      insert(pos);
      // One step of lazy matching: a longer match one byte on beats this one.
      if (m.length >= kMinMatch && m.length < kGoodEnough && pos + 1 < n) {
        next = find(pos + 1);
        have_next = true;
        if (next.length > m.length) m.length = 0;
      }
      if (m.length >= kMinMatch) {
        tokens_.push_back({static_cast<uint16_t>(m.length), static_cast<uint16_t>(m.dist)});
        for (int p = pos + 1; p < pos + m.length; ++p) insert(p);
        pos += m.length;
        have_next = false;
      } else {
        tokens_.push_back({data_[static_cast<std::size_t>(pos)], 0});
        ++pos;
      }
      if (tokens_.size() >= kBlockTokens || pos >= n) {
        flushBlock(block_start, pos, pos >= n);
        block_start = pos;
      }
    }
    if (n == 0) flushBlock(0, 0, true);
    bits_.alignToByte();
  }

 private:
  struct Match {
    int length;
    int dist;
  };

  std::size_t hashAt(int pos) const {
    const uint8_t* p = data_.data() + pos;
    return ((static_cast<std::size_t>(p[0]) << 10) ^ (static_cast<std::size_t>(p[1]) << 5) ^ p[2]) &
           ((std::size_t{1} << kHashBits) - 1);
  }

  void insert(int pos) {
    if (pos + kMinMatch > static_cast<int>(data_.size())) return;
    const std::size_t h = hashAt(pos);
    prev_[static_cast<std::size_t>(pos & (kWindow - 1))] = head_[h];
    head_[h] = pos;
  }

  Match find(int pos) const {
    Match best{0, 0};
    const int n = static_cast<int>(data_.size());
    if (pos + kMinMatch > n) return best;
    const int max_len = std::min(kMaxMatch, n - pos);
    const uint8_t* here = data_.data() + pos;
    int cand = head_[hashAt(pos)];
    for (int chain = 0; chain < kMaxChain && cand >= 0 && pos - cand <= kWindow; ++chain) {
      const uint8_t* there = data_.data() + cand;
      if (there[best.length] == here[best.length] || best.length == 0) {
        int len = 0;
        while (len < max_len && there[len] == here[len]) ++len;
        if (len > best.length) {
          best = {len, pos - cand};
          if (len >= max_len) break;
        }
      }
      const int older = prev_[static_cast<std::size_t>(cand & (kWindow - 1))];
      if (older >= cand) break;
      cand = older;
    }
    if (best.length < kMinMatch) best.length = 0;
    return best;
  }

  // Writes the tokens gathered for data_[begin, end) as whichever block type
  // comes out smallest: dynamic, fixed, or stored when the data does not
  // compress at all.
  void flushBlock(int begin, int end, bool last) {
    std::vector<uint32_t> lit_freq(kLitLenSymbols, 0);
    std::vector<uint32_t> dist_freq(kDistSymbols, 0);
    const auto& len_code = lengthCodeTable();
    const auto& dist_code = distCodeTable();
    for (const Token& t : tokens_) {
      if (t.dist == 0) {
        ++lit_freq[t.value];
      } else {
        ++lit_freq[257u + len_code[t.value]];
        ++dist_freq[dist_code[t.dist]];
      }
    }
    lit_freq[256] = 1;

    // Symbols 286 and 287 must stay without a code in a dynamic block.
    std::vector<uint32_t> lit_freq_dyn(lit_freq.begin(), lit_freq.begin() + 286);
    std::vector<uint8_t> lit_len = codeLengths(lit_freq_dyn, 15);
    std::vector<uint8_t> dist_len = codeLengths(dist_freq, 15);
    std::size_t hlit = 286;
    while (hlit > 257 && lit_len[hlit - 1] == 0) --hlit;
    std::size_t hdist = 30;
    while (hdist > 1 && dist_len[hdist - 1] == 0) --hdist;
    std::vector<uint8_t> all_lengths(lit_len.begin(), lit_len.begin() + static_cast<std::ptrdiff_t>(hlit));
    all_lengths.insert(all_lengths.end(), dist_len.begin(), dist_len.begin() + static_cast<std::ptrdiff_t>(hdist));
    const std::vector<CodeLengthSymbol> rle = runLengths(all_lengths);
    std::vector<uint32_t> cl_freq(19, 0);
    for (const auto& s : rle) ++cl_freq[s.symbol];
    const std::vector<uint8_t> cl_len = codeLengths(cl_freq, 7);
    std::size_t hclen = 19;
    while (hclen > 4 && cl_len[kCodeLengthOrder[hclen - 1]] == 0) --hclen;

    const uint64_t extra_bits = extraBits(lit_freq, dist_freq);
    uint64_t dynamic_bits = 3 + 5 + 5 + 4 + 3 * hclen + extra_bits;
    for (const auto& s : rle) dynamic_bits += cl_len[s.symbol] + static_cast<uint64_t>(codeLengthExtraBits(s.symbol));
    dynamic_bits += dataBits(lit_freq, dist_freq, lit_len, dist_len);
    const uint64_t fixed_bits =
        3 + extra_bits + dataBits(lit_freq, dist_freq, fixedLitLen().lengths, fixedDist().lengths);
    const uint64_t stored_bits = storedBits(static_cast<std::size_t>(end - begin));

    if (stored_bits <= fixed_bits && stored_bits <= dynamic_bits) {
      writeStored(begin, end, last);
    } else if (fixed_bits <= dynamic_bits) {
      bits_.put(last ? 1 : 0, 1);
      bits_.put(1, 2);
      writeTokens(fixedLitLen(), fixedDist());
    } else {
      bits_.put(last ? 1 : 0, 1);
      bits_.put(2, 2);
      bits_.put(static_cast<uint32_t>(hlit - 257), 5);
      bits_.put(static_cast<uint32_t>(hdist - 1), 5);
      bits_.put(static_cast<uint32_t>(hclen - 4), 4);
      for (std::size_t i = 0; i < hclen; ++i) bits_.put(cl_len[kCodeLengthOrder[i]], 3);
      const HuffmanCode cl = canonical(cl_len);
      for (const auto& s : rle) {
        bits_.put(cl.codes[s.symbol], cl.lengths[s.symbol]);
        if (const int eb = codeLengthExtraBits(s.symbol)) bits_.put(s.extra, eb);
      }
      lit_len.resize(kLitLenSymbols, 0);
      writeTokens(canonical(lit_len), canonical(dist_len));
    }
    tokens_.clear();
  }

  static uint64_t extraBits(const std::vector<uint32_t>& lit_freq, const std::vector<uint32_t>& dist_freq) {
    uint64_t bits = 0;
    for (std::size_t c = 0; c < 29; ++c) bits += static_cast<uint64_t>(lit_freq[257 + c]) * kLengthExtra[c];
    for (std::size_t c = 0; c < 30; ++c) bits += static_cast<uint64_t>(dist_freq[c]) * kDistExtra[c];
    return bits;
  }

  static uint64_t dataBits(const std::vector<uint32_t>& lit_freq, const std::vector<uint32_t>& dist_freq,
                           const std::vector<uint8_t>& lit_len, const std::vector<uint8_t>& dist_len) {
    uint64_t bits = 0;
    for (std::size_t s = 0; s < lit_len.size() && s < lit_freq.size(); ++s)
      bits += static_cast<uint64_t>(lit_freq[s]) * lit_len[s];
    for (std::size_t s = 0; s < dist_len.size(); ++s) bits += static_cast<uint64_t>(dist_freq[s]) * dist_len[s];
    return bits;
  }

  uint64_t storedBits(std::size_t bytes) const {
    uint64_t bits = 0;
    int fill = bits_.pendingBits();
    do {
      const std::size_t len = std::min(kMaxStoredBlock, bytes);
      fill = (fill + 3) % 8;
      bits += 3 + static_cast<uint64_t>(fill ? 8 - fill : 0) + 32 + 8 * static_cast<uint64_t>(len);
      fill = 0;
      bytes -= len;
    } while (bytes > 0);
    return bits;
  }

  void writeStored(int begin, int end, bool last) {
    std::size_t pos = static_cast<std::size_t>(begin);
    const std::size_t stop = static_cast<std::size_t>(end);
    do {
      const std::size_t len = std::min(kMaxStoredBlock, stop - pos);
      bits_.put(last && pos + len == stop ? 1 : 0, 1);
      bits_.put(0, 2);
      bits_.alignToByte();
      bits_.put(static_cast<uint32_t>(len), 16);
      bits_.put(static_cast<uint32_t>(~len & 0xFFFFu), 16);
      for (std::size_t i = 0; i < len; ++i) bits_.put(data_[pos + i], 8);
      pos += len;
    } while (pos < stop);
  }

  void writeTokens(const HuffmanCode& lit, const HuffmanCode& dist) {
    const auto& len_code = lengthCodeTable();
    const auto& dist_code = distCodeTable();
    for (const Token& t : tokens_) {
      if (t.dist == 0) {
        bits_.put(lit.codes[t.value], lit.lengths[t.value]);
        continue;
      }
      const std::size_t lc = len_code[t.value];
      bits_.put(lit.codes[257 + lc], lit.lengths[257 + lc]);
      if (kLengthExtra[lc]) bits_.put(t.value - kLengthBase[lc], kLengthExtra[lc]);
      const std::size_t dc = dist_code[t.dist];
      bits_.put(dist.codes[dc], dist.lengths[dc]);
      if (kDistExtra[dc]) bits_.put(t.dist - kDistBase[dc], kDistExtra[dc]);
    }
    bits_.put(lit.codes[256], lit.lengths[256]);
  }

  const std::vector<uint8_t>& data_;
  BitWriter bits_;
  std::vector<int> head_;
  std::vector<int> prev_;
  std::vector<Token> tokens_;
};

std::vector<uint8_t> zlibCompress(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z;
  z.reserve(raw.size() / 8 + 64);
  // CMF 0x78 (deflate, 32K window), FLG 0x01 makes the header a multiple of 31.
  z.push_back(0x78);
  z.push_back(0x01);
  Deflater(raw, z).run();
  putBigEndian(z, adler32(raw));
  return z;
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
  if (width <= 0 || height <= 0) return false;
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
  if (rgb.size() != row_bytes * static_cast<std::size_t>(height)) return false;

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  putBigEndian(header, static_cast<uint32_t>(width));
  putBigEndian(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", zlibCompress(filterImage(width, height, rgb)));
  putChunk(png, "IEND", {});

  std::ofstream file(path, std::ios::binary);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file);
}
