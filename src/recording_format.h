#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "units.h"
#include "world_digest.h"

// The file a recorded session is kept in; docs/replay-format.md describes it byte by byte.
constexpr char kRecordingFormatName[] = "vantorel-replay\n";
constexpr std::uint32_t kRecordingFormatVersion = 1;
// A checkpoint after frame 0 and after every this many frames from it: about a second.
constexpr int kCheckpointInterval = 60;
// More readings than this in one frame is not a loop this program knows.
constexpr std::uint32_t kMaxReadingsPerFrame = 16;
constexpr std::uint32_t kMaxNameLength = 64;

// The game's version and the platform it was built for, as recordings name them.
const char* thisGameVersion();
const char* thisPlatform();

struct RecordedKey {
  bool down;
  std::uint32_t scancode;
  bool repeat;
};

struct RecordingHeader {
  std::string gameVersion;
  std::string platform;
  std::uint32_t seed = 0;
  // What the loop read from its clock while it set the world up.
  std::vector<Millis> setUpReadings;
};

// One frame as the loop ran it: its clock readings and the key events it drained, in
// order, and the world's digest after it, with a checkpoint now and then.
struct RecordedFrame {
  std::vector<Millis> readings;
  std::vector<RecordedKey> keys;
  WorldDigest digest{};
  bool hasCheckpoint = false;
  WorldCheckpoint checkpoint;
};

// Writes a recording as the game runs: every record is flushed as it is written, so a
// process that dies leaves all its whole frames behind.
class RecordingWriter {
 public:
  explicit RecordingWriter(const std::string& path);
  ~RecordingWriter();
  RecordingWriter(const RecordingWriter&) = delete;
  RecordingWriter& operator=(const RecordingWriter&) = delete;

  void writeHeader(const RecordingHeader& header);
  void writeFrame(const RecordedFrame& frame);
  // The loop ended by Escape (0) or by the stop signal named.
  void writeEnd(int stopSignal);

  // Empty while every write has gone through; otherwise why the first did not.
  std::string error;

 private:
  void flush();

  std::FILE* file;
  std::string buffer;
  Millis lastReading;
  WorldDigest lastDigest;
};

// Reads a recording a record at a time from the file read whole: nothing is allocated
// that the file's own size does not pay for.
class RecordingReader {
 public:
  // STOPS: the file ends after a whole frame with no end record, as a killed game leaves it.
  enum Next { FRAME, END, STOPS, CUT_SHORT, DAMAGED };

  // Reads the file and its header; false, with the reason in error, when it cannot.
  bool open(const std::string& path);
  // The next frame into frame; at END the stop signal is in stopSignal. CUT_SHORT and
  // DAMAGED leave the reason in error.
  Next next(RecordedFrame& frame);
  RecordingHeader header;
  std::string error;
  int stopSignal = 0;
  int framesRead = 0;

 private:
  struct Cursor;

  std::string bytes;
  std::size_t at = 0;
  Millis lastReading = 0;
  WorldDigest lastDigest{};
};
