#include "recording_format.h"

#include <SDL.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t kNameLength = sizeof kRecordingFormatName - 1;
constexpr unsigned char kFrameTag = 'F';
constexpr unsigned char kEndTag = 'E';
constexpr unsigned kCheckpointBit = 1u << kWorldParts;
constexpr unsigned kDownBit = 1;
constexpr unsigned kRepeatBit = 2;
// The smallest a pickup and a particle take in a checkpoint.
constexpr std::size_t kPickupBytes = 24;
constexpr std::size_t kParticleBytes = 8;

void putVarint(std::string& out, std::uint32_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

void putWord(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

template <typename Value>
void putValue(std::string& out, Value value) {
  static_assert(sizeof value == 4, "checkpoint values are four bytes");
  std::uint32_t word;
  std::memcpy(&word, &value, sizeof word);
  putWord(out, word);
}

void putName(std::string& out, const std::string& name) {
  putVarint(out, static_cast<std::uint32_t>(name.size()));
  out += name;
}

void putCheckpoint(std::string& out, const WorldCheckpoint& checkpoint) {
  putValue(out, checkpoint.playerX);
  putValue(out, checkpoint.playerY);
  putValue(out, checkpoint.playerVelocityX);
  putValue(out, checkpoint.playerVelocityY);
  putValue(out, checkpoint.playerHealth);
  putValue(out, checkpoint.playerDamage);
  putValue(out, checkpoint.gunExperience);
  putValue(out, checkpoint.gunLevel);
  putValue(out, checkpoint.batAlive);
  putValue(out, checkpoint.batX);
  putValue(out, checkpoint.batY);
  putVarint(out, static_cast<std::uint32_t>(checkpoint.pickups.size()));
  for (const WorldCheckpoint::PickupState& pickup : checkpoint.pickups) {
    putValue(out, pickup.type);
    putValue(out, pickup.value);
    putValue(out, pickup.x);
    putValue(out, pickup.y);
    putValue(out, pickup.velocityX);
    putValue(out, pickup.velocityY);
  }
  for (const auto* particles : {&checkpoint.frontParticles, &checkpoint.entityParticles}) {
    putVarint(out, static_cast<std::uint32_t>(particles->size()));
    for (const WorldCheckpoint::ParticleState& particle : *particles) {
      putValue(out, particle.x);
      putValue(out, particle.y);
    }
  }
}

}  // namespace

const char* thisGameVersion() { return VANTOREL_GAME_VERSION; }

const char* thisPlatform() { return VANTOREL_PLATFORM; }

RecordingWriter::RecordingWriter(const std::string& path)
    : file(std::fopen(path.c_str(), "wb")), lastReading(0), lastDigest{} {
  if (file == nullptr) error = "cannot write " + path + ": " + std::strerror(errno);
}

RecordingWriter::~RecordingWriter() {
  if (file != nullptr) std::fclose(file);
}

void RecordingWriter::writeHeader(const RecordingHeader& header) {
  buffer.assign(kRecordingFormatName, kNameLength);
  putVarint(buffer, kRecordingFormatVersion);
  putName(buffer, header.gameVersion);
  putName(buffer, header.platform);
  putVarint(buffer, header.seed);
  putVarint(buffer, static_cast<std::uint32_t>(header.setUpReadings.size()));
  for (const Millis reading : header.setUpReadings) {
    putVarint(buffer, reading - lastReading);
    lastReading = reading;
  }
  flush();
}

void RecordingWriter::writeFrame(const RecordedFrame& frame) {
  buffer.assign(1, static_cast<char>(kFrameTag));
  putVarint(buffer, static_cast<std::uint32_t>(frame.readings.size()));
  // Unsigned differences: a clock that wraps or goes back costs bytes, not meaning.
  for (const Millis reading : frame.readings) {
    putVarint(buffer, reading - lastReading);
    lastReading = reading;
  }
  putVarint(buffer, static_cast<std::uint32_t>(frame.keys.size()));
  for (const RecordedKey& key : frame.keys) {
    buffer.push_back(static_cast<char>((key.down ? kDownBit : 0) | (key.repeat ? kRepeatBit : 0)));
    putVarint(buffer, key.scancode);
  }
  // Only the parts that changed since the frame before carry their digest.
  unsigned mask = frame.hasCheckpoint ? kCheckpointBit : 0;
  for (int part = 0; part < kWorldParts; ++part) {
    if (frame.digest[part] != lastDigest[part]) mask |= 1u << part;
  }
  buffer.push_back(static_cast<char>(mask));
  for (int part = 0; part < kWorldParts; ++part) {
    if (mask & (1u << part)) putWord(buffer, frame.digest[part]);
  }
  lastDigest = frame.digest;
  if (frame.hasCheckpoint) putCheckpoint(buffer, frame.checkpoint);
  flush();
}

void RecordingWriter::writeEnd(int stopSignal) {
  buffer.assign(1, static_cast<char>(kEndTag));
  putVarint(buffer, static_cast<std::uint32_t>(stopSignal));
  flush();
}

void RecordingWriter::flush() {
  if (file == nullptr || !error.empty()) return;
  if (std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size() ||
      std::fflush(file) != 0)
    error = std::string("could not write the recording: ") + std::strerror(errno);
}

// Reads forward through the bytes, and on the first failure keeps why.
struct RecordingReader::Cursor {
  Cursor(const std::string& bytes, std::size_t at) : bytes(bytes), at(at) {}

  std::size_t left() const { return bytes.size() - at; }

  bool cut(const std::string& why) { return fail(CUT_SHORT, why); }
  bool damaged(const std::string& why) { return fail(DAMAGED, why); }

  bool fail(Next kind, const std::string& why) {
    if (failure == FRAME) {
      failure = kind;
      reason = why;
    }
    return false;
  }

  bool byte(unsigned& out, const char* what) {
    if (left() < 1) return cut(std::string("it stops before ") + what);
    out = static_cast<unsigned char>(bytes[at++]);
    return true;
  }

  bool varint(std::uint32_t& out, const char* what) {
    out = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      unsigned next;
      if (!byte(next, what)) return false;
      if (shift == 28 && next > 0x0F) return damaged(std::string(what) + " is too large");
      out |= static_cast<std::uint32_t>(next & 0x7F) << shift;
      if ((next & 0x80) == 0) return true;
    }
    return damaged(std::string(what) + " is too large");
  }

  // A count of items at least each bytes long, which the rest of the file must hold.
  bool count(std::uint32_t& out, std::size_t each, const char* what) {
    if (!varint(out, what)) return false;
    if (out > left() / each)
      return cut(std::string(what) + " (" + std::to_string(out) + ") need more than the " +
                 std::to_string(left()) + " bytes left");
    return true;
  }

  template <typename Value>
  bool value(Value& out, const char* what) {
    if (left() < 4) return cut(std::string("it stops inside ") + what);
    std::uint32_t word = 0;
    for (int shift = 0; shift < 32; shift += 8)
      word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at++])) << shift;
    std::memcpy(&out, &word, sizeof out);
    return true;
  }

  bool name(std::string& out, const char* what) {
    std::uint32_t length;
    if (!varint(length, what)) return false;
    if (length > kMaxNameLength)
      return damaged(std::string(what) + " is " + std::to_string(length) +
                     " bytes long, more than " + std::to_string(kMaxNameLength));
    if (length > left()) return cut(std::string("it stops inside ") + what);
    out.assign(bytes, at, length);
    at += length;
    for (const char c : out) {
      if (c < ' ' || c > '~') return damaged(std::string(what) + " is not plain text");
    }
    return true;
  }

  // A count, then that many clock readings, each stored as its step from the one before
  // (the first from last, which is left at the last one read).
  bool readings(Millis& last, std::vector<Millis>& out, const char* counted,
                const char* each) {
    std::uint32_t size;
    if (!varint(size, (std::string("the number of ") + counted).c_str())) return false;
    if (size > kMaxReadingsPerFrame)
      return damaged(std::to_string(size) + " " + counted + ", more than " +
                     std::to_string(kMaxReadingsPerFrame));
    for (std::uint32_t i = 0; i < size; ++i) {
      std::uint32_t step;
      if (!varint(step, each)) return false;
      last += step;
      out.push_back(last);
    }
    return true;
  }

  bool particles(std::vector<WorldCheckpoint::ParticleState>& out) {
    std::uint32_t size;
    if (!count(size, kParticleBytes, "the checkpoint's particles")) return false;
    out.resize(size);
    for (WorldCheckpoint::ParticleState& particle : out) {
      if (!value(particle.x, "a particle") || !value(particle.y, "a particle")) return false;
    }
    return true;
  }

  bool checkpoint(WorldCheckpoint& out) {
    const char* what = "the checkpoint";
    if (!value(out.playerX, what) || !value(out.playerY, what) ||
        !value(out.playerVelocityX, what) || !value(out.playerVelocityY, what) ||
        !value(out.playerHealth, what) || !value(out.playerDamage, what) ||
        !value(out.gunExperience, what) || !value(out.gunLevel, what) ||
        !value(out.batAlive, what) || !value(out.batX, what) || !value(out.batY, what))
      return false;
    std::uint32_t pickups;
    if (!count(pickups, kPickupBytes, "the checkpoint's pickups")) return false;
    out.pickups.resize(pickups);
    for (WorldCheckpoint::PickupState& pickup : out.pickups) {
      if (!value(pickup.type, "a pickup") || !value(pickup.value, "a pickup") ||
          !value(pickup.x, "a pickup") || !value(pickup.y, "a pickup") ||
          !value(pickup.velocityX, "a pickup") || !value(pickup.velocityY, "a pickup"))
        return false;
    }
    return particles(out.frontParticles) && particles(out.entityParticles);
  }

  const std::string& bytes;
  std::size_t at;
  Next failure = FRAME;
  std::string reason;
};

bool RecordingReader::open(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = std::string("cannot open it: ") + std::strerror(errno);
    return false;
  }
  char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  const bool failed = std::ferror(file) != 0;
  const int read_errno = errno;
  std::fclose(file);
  if (failed) {
    error = std::string("cannot read it: ") + std::strerror(read_errno);
    return false;
  }
  if (bytes.empty()) {
    error = "it is empty, not a recording";
    return false;
  }
  const std::size_t shown = bytes.size() < kNameLength ? bytes.size() : kNameLength;
  if (bytes.compare(0, shown, kRecordingFormatName, shown) != 0) {
    error = "not a Vantorel recording: it does not begin with \"vantorel-replay\"";
    return false;
  }
  if (bytes.size() < kNameLength) {
    error = "cut short inside its format name";
    return false;
  }
  Cursor cursor(bytes, kNameLength);
  std::uint32_t version = 0;
  if (cursor.varint(version, "the format version")) {
    if (version != kRecordingFormatVersion) {
      error = "format version " + std::to_string(version) + ", this program reads version " +
              std::to_string(kRecordingFormatVersion);
      return false;
    }
    if (cursor.name(header.gameVersion, "the game's version") &&
        cursor.name(header.platform, "the platform") && cursor.varint(header.seed, "the seed"))
      cursor.readings(lastReading, header.setUpReadings, "clock readings at set-up",
                      "a set-up reading");
  }
  if (cursor.failure != FRAME) {
    error = std::string(cursor.failure == CUT_SHORT ? "cut short" : "damaged") +
            " in its header: " + cursor.reason;
    return false;
  }
  at = cursor.at;
  return true;
}

RecordingReader::Next RecordingReader::next(RecordedFrame& frame) {
  Cursor cursor(bytes, at);
  const std::string where = "frame " + std::to_string(framesRead) + "'s record";
  unsigned tag;
  if (!cursor.byte(tag, "a record")) return STOPS;
  if (tag == kEndTag) {
    std::uint32_t signal;
    if (!cursor.varint(signal, "the end record's stop signal")) {
      error = "cut short in its end record: " + cursor.reason;
      return cursor.failure;
    }
    if (cursor.left() != 0) {
      error = std::to_string(cursor.left()) + " bytes follow its end record";
      return DAMAGED;
    }
    stopSignal = static_cast<int>(signal);
    at = cursor.at;
    return END;
  }
  if (tag != kFrameTag) {
    error = "damaged at byte " + std::to_string(at) + ": " + where + " begins with byte " +
            std::to_string(tag) + ", which begins no record";
    return DAMAGED;
  }
  RecordedFrame read;
  std::uint32_t keys = 0;
  unsigned mask = 0;
  Millis reading = lastReading;
  cursor.readings(reading, read.readings, "clock readings", "a clock reading");
  if (cursor.failure == FRAME) cursor.count(keys, 2, "the key events");
  if (cursor.failure == FRAME) read.keys.reserve(keys);
  for (std::uint32_t i = 0; i < keys && cursor.failure == FRAME; ++i) {
    unsigned flags;
    RecordedKey key{};
    if (!cursor.byte(flags, "a key event") || !cursor.varint(key.scancode, "a key's scancode"))
      break;
    if ((flags & ~(kDownBit | kRepeatBit)) != 0)
      cursor.damaged("a key event has flags " + std::to_string(flags));
    else if (key.scancode >= SDL_NUM_SCANCODES)
      cursor.damaged("a key event has scancode " + std::to_string(key.scancode));
    key.down = (flags & kDownBit) != 0;
    key.repeat = (flags & kRepeatBit) != 0;
    read.keys.push_back(key);
  }
  if (cursor.failure == FRAME && cursor.byte(mask, "the digest mask") &&
      (mask & ~((1u << kWorldParts) - 1) & ~kCheckpointBit) != 0)
    cursor.damaged("its digest mask is " + std::to_string(mask));
  read.digest = lastDigest;
  for (int part = 0; part < kWorldParts && cursor.failure == FRAME; ++part) {
    if (mask & (1u << part)) cursor.value(read.digest[part], "a digest");
  }
  read.hasCheckpoint = (mask & kCheckpointBit) != 0;
  if (cursor.failure == FRAME && read.hasCheckpoint) cursor.checkpoint(read.checkpoint);
  if (cursor.failure != FRAME) {
    error = std::string(cursor.failure == CUT_SHORT ? "cut short" : "damaged") + " inside " +
            where + ": " + cursor.reason;
    return cursor.failure;
  }
  at = cursor.at;
  lastReading = reading;
  lastDigest = read.digest;
  ++framesRead;
  frame = std::move(read);
  return FRAME;
}
