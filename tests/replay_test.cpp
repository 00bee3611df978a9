// Recording sessions through the real loop and replaying them: what matches, what
// differs and where, and every kind of broken file.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "game.h"
#include "recording_format.h"
#include "scripted_recording.h"
#include "session_replay.h"
#include "test_support.h"
#include "x_server.h"

using namespace std::string_literals;

namespace {

// Every kind of frame time, the cap and past it included, in turn.
Millis mixedFrameTime(int frame) {
  const Millis times[] = {16, 17, 0, 83, 40, 200};
  return times[frame % 6];
}

ScriptedSession testSession(int frames) {
  ScriptedSession session;
  session.seed = 7;
  session.frames = frames;
  session.keys = showTheGameOff();
  session.frameTime = mixedFrameTime;
  return session;
}

std::string recorded(const TempFile& file, int frames) {
  EXPECT_EQ(recordScriptedSession(file.path, testSession(frames)), "");
  return readFile(file.path);
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

ReplayResult verify(const std::string& path) { return replaySession(path, ReplayOptions()); }

// A recording read whole, to be changed and written again.
struct Recording {
  RecordingHeader header;
  std::vector<RecordedFrame> frames;
  bool ended = false;
  int stopSignal = 0;
};

Recording load(const std::string& path) {
  Recording recording;
  RecordingReader reader;
  EXPECT_TRUE(reader.open(path)) << reader.error;
  recording.header = reader.header;
  RecordedFrame frame;
  RecordingReader::Next next;
  while ((next = reader.next(frame)) == RecordingReader::FRAME) recording.frames.push_back(frame);
  recording.ended = next == RecordingReader::END;
  recording.stopSignal = reader.stopSignal;
  return recording;
}

void save(const std::string& path, const Recording& recording) {
  RecordingWriter writer(path);
  writer.writeHeader(recording.header);
  for (const RecordedFrame& frame : recording.frames) writer.writeFrame(frame);
  if (recording.ended) writer.writeEnd(recording.stopSignal);
  EXPECT_EQ(writer.error, "");
}

bool startsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

// The bytes of a header as the game writes it, with the platform given.
std::string headerBytes(const std::string& platform = thisPlatform()) {
  TempFile file("vantorel-header");
  RecordingHeader header;
  header.gameVersion = thisGameVersion();
  header.platform = platform;
  header.seed = 1;
  header.setUpReadings = {0};
  {
    RecordingWriter writer(file.path);
    writer.writeHeader(header);
  }
  return readFile(file.path);
}

}  // namespace

TEST(Replay, ARecordedSessionReplaysWithEveryCheckpointMatching) {
  TempFile file("vantorel-replay");
  const std::string bytes = recorded(file, 300);
  const ReplayResult result = verify(file.path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.line, file.path + ": 300 frames, every checkpoint matches");
  // Read and written again, it is the same file byte for byte.
  save(file.path, load(file.path));
  EXPECT_EQ(readFile(file.path), bytes);
}

TEST(Replay, AChangedKeyClockReadingOrSeedFailsAtTheFirstFrameItAffects) {
  TempFile original("vantorel-replay");
  recorded(original, 300);
  struct Case {
    const char* what;
    void (*change)(Recording&);
    const char* line;
  };
  const std::vector<Case> cases = {
      // Frame 2 pushes left on the way onto the block; right instead, in a frame of 0 ms,
      // moves nothing yet but turns the player, and the checkpoint at 60 shows where he went.
      {"a key",
       [](Recording& r) {
         for (RecordedKey& key : r.frames[2].keys) {
           if (key.scancode == SDL_SCANCODE_LEFT) key.scancode = SDL_SCANCODE_RIGHT;
         }
       },
       ": differs at frame 2, in the player: player x is "},
      // The reading before the update, 7 ms later: that update is longer, the next shorter,
      // and the bat's bob, which never rests, is the first to show it.
      {"a clock reading", [](Recording& r) { r.frames[100].readings[1] += 7; },
       ": differs at frame 100, in the bat: bat y is "},
      // Other crystals fly out at set-up.
      {"the seed", [](Recording& r) { r.header.seed += 1; },
       ": differs at frame 0, in the pickups: pickup "},
  };
  for (const Case& c : cases) {
    Recording recording = load(original.path);
    c.change(recording);
    TempFile changed("vantorel-changed");
    save(changed.path, recording);
    const ReplayResult result = verify(changed.path);
    EXPECT_EQ(result.status, 1) << c.what;
    EXPECT_TRUE(startsWith(result.line, changed.path + c.line)) << c.what << ": " << result.line;
  }
}

TEST(Replay, ALoopThatReadsItsClockOtherwiseIsNamed) {
  TempFile file("vantorel-replay");
  recorded(file, 10);
  Recording recording = load(file.path);
  recording.frames[4].readings.pop_back();
  save(file.path, recording);
  EXPECT_EQ(verify(file.path).line,
            file.path + ": frame 4: the loop read its clock 3 times, the recording has 2 readings");
}

TEST(Replay, BrokenFilesEndWithOneLineAndStatusOne) {
  TempFile whole_file("vantorel-whole");
  const std::string whole = recorded(whole_file, 5);
  const std::string header = headerBytes();
  std::mt19937 random(23);
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise.push_back(static_cast<char>(random()));
  struct Case {
    const char* what;
    std::string bytes;
    std::string line;  // what the line says after the file's name
  };
  const std::vector<Case> cases = {
      {"empty", "", "it is empty, not a recording"},
      {"another format", "GIF89a\x01\x00\x01\x00", "not a Vantorel recording: it does not "
                                                    "begin with \"vantorel-replay\""},
      {"random bytes", noise, "not a Vantorel recording: it does not begin with "
                              "\"vantorel-replay\""},
      {"the name cut short", "vantorel-re", "cut short inside its format name"},
      {"another version", std::string(kRecordingFormatName) + "\x02",
       "format version 2, this program reads version 1"},
      {"a version too large", std::string(kRecordingFormatName) + "\xff\xff\xff\xff\x7f",
       "damaged in its header: the format version is too large"},
      {"a name longer than the file", std::string(kRecordingFormatName) + "\x01\xc0\x84\x3d",
       "damaged in its header: the game's version is 1000000 bytes long, more than 64"},
      {"a name that is not text", std::string(kRecordingFormatName) + "\x01\x02\x01\x02",
       "damaged in its header: the game's version is not plain text"},
      {"another platform", headerBytes("Windows AMD64"),
       std::string("recorded on Windows AMD64, and this is ") + thisPlatform() +
           ": the C library's rand() differs between platforms, so it cannot replay here"},
      {"a count of keys the file cannot hold", header + "F\x03\x00\x00\x00\xff\xff\xff\x7f"s,
       "cut short inside frame 0's record: the key events (268435455) need more than the 0 "
       "bytes left; no frame to replay"},
      {"too many readings", header + "F\x90\x4e"s,
       "damaged inside frame 0's record: 10000 clock readings, more than 16; no frame to "
       "replay"},
      {"a scancode past the last", header + "F\x03\x00\x00\x00\x01\x01\xd8\x04\x00"s,
       "damaged inside frame 0's record: a key event has scancode 600; no frame to replay"},
      {"a key event's unknown flags", header + "F\x03\x00\x00\x00\x01\x05\x04\x00"s,
       "damaged inside frame 0's record: a key event has flags 5; no frame to replay"},
      {"an unknown digest bit", header + "F\x03\x00\x00\x00\x00\x40"s,
       "damaged inside frame 0's record: its digest mask is 64; no frame to replay"},
      {"an unknown record", header + "Q", "damaged at byte " + std::to_string(header.size()) +
                                              ": frame 0's record begins with byte 81, which "
                                              "begins no record; no frame to replay"},
      {"bytes after the end", whole + "x", "1 bytes follow its end record; frames 0 to 4 "
                                           "replay and every checkpoint matches"},
  };
  for (const Case& c : cases) {
    TempFile file("vantorel-broken");
    writeBytes(file.path, c.bytes);
    const ReplayResult result = verify(file.path);
    EXPECT_EQ(result.status, 1) << c.what;
    EXPECT_EQ(result.line, file.path + ": " + c.line) << c.what;
  }
  for (const std::string& path : {std::string("/nonexistent/recording"), std::string("/tmp")}) {
    const ReplayResult result = verify(path);
    EXPECT_EQ(result.status, 1) << path;
    EXPECT_EQ(result.line, path + (path == "/tmp" ? ": cannot read it: Is a directory"
                                                  : ": cannot open it: No such file or directory"));
  }
}

// Cut after any byte, a recording says so on one line: at a record's end it replays to
// there, as a killed game's file does; inside one it replays what came before and fails.
TEST(Replay, ARecordingCutAtEveryLengthReplaysItsWholeFrames) {
  TempFile whole_file("vantorel-whole");
  const std::string whole = recorded(whole_file, 5);
  TempFile file("vantorel-cut");
  int last_frame = -1;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    writeBytes(file.path, whole.substr(0, length));
    const ReplayResult result = verify(file.path);
    const std::string& line = result.line;
    const std::string where = "cut to " + std::to_string(length) + " bytes: " + line;
    ASSERT_TRUE(startsWith(line, file.path + ": ")) << where;
    ASSERT_EQ(line.find('\n'), std::string::npos) << where;
    if (result.status == 0) {
      const std::string ends = file.path + ": ends at frame " + std::to_string(last_frame + 1) +
                               " with no end record";
      const std::string before = file.path + ": ends before its first frame";
      EXPECT_TRUE(startsWith(line, last_frame < 0 ? before : ends) ||
                  startsWith(line, ends))
          << where;
      if (startsWith(line, ends)) ++last_frame;
    } else {
      EXPECT_EQ(result.status, 1) << where;
      EXPECT_TRUE(line.find("cut short") != std::string::npos ||
                  line.find("it is empty") != std::string::npos)
          << where;
    }
  }
  // Every whole frame was a place to stop; the end record is the last byte.
  EXPECT_EQ(last_frame, 4);
}

TEST(Replay, WrongArgumentsGetTheUsageAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"record"}, {"play"}, {"verify"}, {"record", "a", "b"}, {"play", "a", "b"},
      {"replay", "a"}, {"--help"}};
  for (const std::vector<std::string>& arguments : cases) {
    std::vector<std::string> command = {VANTOREL_REPLAY_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    Process replay(command, environmentWith({}));
    const Exit exit = timeExit(replay, std::chrono::milliseconds(10000));
    ASSERT_TRUE(exit.status);
    const std::string shown = arguments.empty() ? "no arguments" : arguments[0];
    EXPECT_TRUE(WIFEXITED(*exit.status) && WEXITSTATUS(*exit.status) == 2)
        << shown << ": " << describe(exit.status);
    EXPECT_EQ(replay.err(), "usage: vantorel-replay record FILE | play FILE | verify FILE...\n")
        << shown;
    EXPECT_EQ(replay.out(), "") << shown;
  }
}
