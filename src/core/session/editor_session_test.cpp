// SPDX-License-Identifier: GPL-3.0-or-later
// The editor session driven as the window drives it, against the fake unit:
// the chores around the engine (ordering, undo, program-after-change, files,
// history, the programmed state, the saving wait) and what it reports.
#include "core/session/editor_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/curve/curve_graph.h"
#include "core/curve/curve_test_support.h"
#include "core/device/fake_link_test.h"
#include "core/files/ign_format.h"
#include "core/files/platform_test_support.h"
#include "core/files/safe_file.h"
#include "core/model/presets.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

using test::FakeLink;
using test::FakeUnit;

constexpr LocalTime kNow{2026, 12, 9, 14, 3, 22};
constexpr std::string_view kMismatch = "Unmatched version of PC and Ignition programs!  PC-61, IGN-60";

class RecordingSession final : public SessionListener {
 public:
  std::vector<bool> imageChanges;  // rescaleGraph of each call
  int fileNameChanges = 0;
  int undoChanges = 0;
  std::vector<SessionEvent> events;
  std::vector<std::string> messages;
  std::vector<std::string> warnings;
  int monitorFrames = 0;
  std::function<void()> insideMessage;  // runs while the "box" is open

  void imageChanged(bool rescaleGraph) override { imageChanges.push_back(rescaleGraph); }
  void fileNameChanged() override { ++fileNameChanges; }
  void undoChanged() override { ++undoChanges; }
  void sessionEvent(SessionEvent event) override { events.push_back(event); }
  void monitorFrame(const MonitorData& /*data*/) override { ++monitorFrames; }
  void message(std::string_view text) override {
    messages.emplace_back(text);
    if (insideMessage) insideMessage();
  }
  void warning(std::string_view text) override { warnings.emplace_back(text); }

  int count(SessionEvent event) const { return static_cast<int>(std::ranges::count(events, event)); }
};

class QuietSurface final : public CurveSurface {
 public:
  int graphWidth() const override { return curve_test::kWidth; }
  int graphHeight() const override { return curve_test::kHeight; }
  ScreenPoint screenOrigin() const override { return {}; }
  void movePointer(int /*screenX*/, int /*screenY*/) override {}
  bool reportsProgramMoves() const override { return false; }
  void focusField(int /*pointCode*/) override {}
};

Payload BytesOf(const ParameterImage& image) {
  Payload p{};
  std::ranges::copy(image.image(), p.begin());
  return p;
}

bool Ordered(const ParameterImage& image) {
  for (int i = 1; i < kBreakpointCount; ++i) {
    if (image.rpmPoint(i) <= image.rpmPoint(i - 1)) return false;
  }
  return image.rpmPoint(0) >= 2 && image.limiter() >= 10;
}

// Breakpoints 3 and 4 on the same speed, breakpoint 1 below its least, a
// limiter below its least.
ParameterImage Unordered(ParameterImage image) {
  image.rpmPoint(3) = image.rpmPoint(2);
  image.rpmPoint(0) = 0;
  image.limiter() = 5;
  return image;
}

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A session on COM1, English, with the defaults of bike 0 that the healthy
// unit holds too, a history folder in a fresh temporary folder and a fixed
// clock, connected to the unit.
class Session : public ::testing::Test {
 protected:
  Session()
      : dir_(fs::temp_directory_path() / ("zelmo_session_" + std::to_string(test::ProcessId()) + "_" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        session_(link_, listener_, {dir_ / "history", [] { return kNow; }}) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    begin(NewParameters(0));
    unit_.stored = BytesOf(session_.image());
    link_.unit = &unit_;
    session_.openPort();
    ticks(7);  // the first poll answered: connected
    listener_ = RecordingSession{};
  }
  ~Session() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  void begin(const ParameterImage& image, std::string fileName = {}) {
    session_.begin(image, StoredChoices{kEnglish, 0, 0}, std::move(fileName));
  }
  ParameterImage fields() const { return static_cast<const EditorSession&>(session_).image(); }
  const ParameterImage& image() const { return static_cast<const EditorSession&>(session_).image(); }
  const DeviceEngine& engine() const { return session_.engine(); }

  void ticks(int n) {
    for (int i = 0; i < n; ++i) session_.tick();
  }
  // Ticks until the transfer is over; how many it took, -1 when it never ended.
  int untilIdle(int limit = 100) {
    for (int i = 1; i <= limit; ++i) {
      session_.tick();
      if (engine().transferState() == TransferState::Idle) return i;
    }
    return -1;
  }
  // Programs `fields` and ticks until the transfer is over.
  void program(const ParameterImage& f) {
    session_.startProgram(f);
    ASSERT_GT(untilIdle(), 0);
    ASSERT_EQ(listener_.events.back(), SessionEvent::Verified);
  }
  // Drags breakpoint `point` along its advance to `speed` rpm on a graph of
  // the usual size, and lets it go.
  void drag(int point, int speed) {
    QuietSurface surface;
    CurveGraph graph;
    graph.rescale(curve_test::kWidth, curve_test::kHeight, image());
    const int y = graph.y(PointAdvance(image(), point));
    graph.mouse(MouseKind::Down, graph.x(PointSpeed(image(), point)), y, session_, surface);
    ASSERT_EQ(graph.grabbed, point);
    graph.mouse(MouseKind::Move, graph.x(speed), y, session_, surface);
    graph.mouse(MouseKind::Up, graph.x(speed), y, session_, surface);
  }

  fs::path dir_;
  FakeUnit unit_;
  FakeLink link_;
  RecordingSession listener_;
  EditorSession session_;
};

// ---- editing -----------------------------------------------------------------

TEST_F(Session, AChosenPortIsRememberedByItsStableNameForTheSettings) {
  session_.setRememberedPorts({{1, "/dev/serial/by-id/fake-1"}, {7, "/dev/ttyS0"}});
  session_.choosePort(4);
  EXPECT_EQ(link_.opened.back(), 5);
  const std::map<int, std::string> expected{
      {1, "/dev/serial/by-id/fake-1"}, {5, "/dev/serial/by-id/fake-5"}, {7, "/dev/ttyS0"}};
  EXPECT_EQ(session_.rememberedPorts(), expected);
  EXPECT_EQ(link_.bound, expected) << "the link opens the remembered device from now on";

  session_.choosePort(0);  // the adapter of COM5 now under COM1: fake names differ, both kept
  session_.choosePort(1);  // nothing to remember for COM2
  session_.choosePort(kAutoComIndex);
  EXPECT_EQ(session_.rememberedPorts().size(), 3u);
  EXPECT_EQ(session_.rememberedPorts().at(1), "/dev/serial/by-id/fake-1");
  EXPECT_EQ(session_.choices().selectedComIndex, kAutoComIndex);
}

TEST_F(Session, FieldEditsAreOrderedRecordedOnceAndUndone) {
  for (bool step : {true, false}) {
    begin(NewParameters(0));
    listener_ = RecordingSession{};
    const ParameterImage before = image();
    ParameterImage edited = Unordered(before);
    edited.advance(7) = 40;
    if (step) {
      session_.stepField(edited);
    } else {
      session_.applyFields(edited);
    }
    EXPECT_TRUE(Ordered(image())) << step;
    EXPECT_EQ(image().advance(7), 40);
    EXPECT_EQ(image().rpmPoint(0), 2);
    EXPECT_EQ(image().limiter(), 10);
    EXPECT_EQ(listener_.imageChanges, std::vector<bool>{true});
    const ParameterImage ordered = image();

    // The same values again (Enter after leaving the field) add no step.
    session_.applyFields(edited);
    EXPECT_EQ(image(), ordered);
    ASSERT_TRUE(session_.canUndo());
    EXPECT_FALSE(session_.canRedo());
    session_.undo();
    EXPECT_EQ(image(), before);
    EXPECT_FALSE(session_.canUndo());
    EXPECT_EQ(listener_.imageChanges.back(), true);
    const std::size_t changes = listener_.imageChanges.size();
    session_.undo();  // nothing older: nothing happens
    EXPECT_EQ(listener_.imageChanges.size(), changes);
    session_.redo();
    EXPECT_EQ(image(), ordered);
    EXPECT_FALSE(session_.canRedo());
    EXPECT_EQ(engine().transferState(), TransferState::Idle);  // programming after change is off
  }
}

// The fields and the graph share one ordering memory: a field edit between two
// drags of the same point ends the pushes of the first.
TEST_F(Session, AFieldEditBetweenDragsForgetsThePushedNeighbours) {
  enum class Between { Nothing, Step, Apply };
  for (Between between : {Between::Nothing, Between::Step, Between::Apply}) {
    begin(curve_test::ExampleImage());
    drag(2, 1500);
    const std::uint8_t pushed = image().rpmPoint(1);
    ASSERT_LT(pushed, 20);
    ASSERT_TRUE(Ordered(image()));
    if (between == Between::Step) session_.stepField(fields());
    if (between == Between::Apply) session_.applyFields(fields());
    drag(2, 3000);
    EXPECT_GE(image().rpmPoint(2), 29);
    EXPECT_EQ(image().rpmPoint(1), between == Between::Nothing ? 20 : pushed) << static_cast<int>(between);
  }
}

TEST_F(Session, ADragIsOneUndoStepAndItsStepsKeepTheAxes) {
  begin(curve_test::ExampleImage());
  const ParameterImage before = image();
  listener_ = RecordingSession{};
  QuietSurface surface;
  CurveGraph graph;
  graph.rescale(curve_test::kWidth, curve_test::kHeight, image());
  const int y = graph.y(image().advance(4));
  graph.mouse(MouseKind::Down, graph.x(5000), y, session_, surface);
  for (int speed : {5200, 5400, 5600}) graph.mouse(MouseKind::Move, graph.x(speed), y, session_, surface);
  EXPECT_FALSE(session_.canUndo());  // nothing recorded before the release
  graph.mouse(MouseKind::Up, graph.x(5600), y, session_, surface);
  EXPECT_GE(listener_.imageChanges.size(), 3u);
  EXPECT_TRUE(std::ranges::none_of(listener_.imageChanges, [](bool rescale) { return rescale; }));
  EXPECT_GT(image().rpmPoint(4), 50);
  session_.undo();
  EXPECT_EQ(image(), before);
  EXPECT_FALSE(session_.canUndo());
}

TEST_F(Session, ProgrammingAfterChangeSendsEveryRecordedChangeWithinFourTicks) {
  session_.setProgramAfterChange(true);
  const auto programmedWithinFourTicks = [this] {
    const int sends = link_.countWritten(kProgramInfo);
    if (engine().transferState() != TransferState::Program) return false;
    for (int t = 1; t <= 4; ++t) {
      session_.tick();
      if (link_.countWritten(kProgramInfo) > sends) return untilIdle() > 0;
    }
    return false;
  };
  ticks(9);  // amid the polling
  ParameterImage edited = fields();
  edited.advance(2) = 24;
  session_.applyFields(edited);
  ASSERT_TRUE(programmedWithinFourTicks());
  EXPECT_EQ(unit_.stored, BytesOf(image()));
  EXPECT_EQ(listener_.count(SessionEvent::ImageStored), 1);
  EXPECT_EQ(listener_.events.back(), SessionEvent::Verified);

  session_.undo();
  ASSERT_TRUE(programmedWithinFourTicks());
  EXPECT_EQ(unit_.stored[field::kAdvance + 2], NewParameters(0).advance(2));
  session_.redo();
  ASSERT_TRUE(programmedWithinFourTicks());
  EXPECT_EQ(unit_.stored[field::kAdvance + 2], 24);

  drag(5, 6500);
  ASSERT_TRUE(programmedWithinFourTicks());
  EXPECT_EQ(unit_.stored, BytesOf(image()));

  session_.setProgramAfterChange(false);
  edited = fields();
  edited.advance(2) = 25;
  session_.stepField(edited);
  const int programmings = unit_.programmings;
  ticks(10);
  EXPECT_EQ(engine().transferState(), TransferState::Idle);
  EXPECT_EQ(unit_.programmings, programmings);
}

TEST_F(Session, AdvanceShiftMovesAllOrTheNearestPointOnly) {
  const ParameterImage start = image();
  ParameterImage top = fields();
  top.advance(9) = 60;
  session_.applyFields(top);
  session_.shiftAdvance(fields(), +1, true);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(image().advance(i), start.advance(i) + 1) << i;
  EXPECT_EQ(image().advance(9), 60);

  // The live speed picks the point: 3100 rpm is nearest to 3000, breakpoint 3.
  unit_.monitor.engineRpm = 3100;
  ticks(7);
  ASSERT_FALSE(engine().belowCurve());
  const ParameterImage all = image();
  session_.shiftAdvance(fields(), -1, false);
  for (int i = 0; i < kBreakpointCount; ++i) EXPECT_EQ(image().advance(i), all.advance(i) - (i == 2 ? 1 : 0)) << i;

  // Below the curve nothing moves, and nothing is recorded.
  unit_.monitor.engineRpm = 900;
  ticks(6);
  ASSERT_TRUE(engine().belowCurve());
  const ParameterImage below = image();
  session_.shiftAdvance(fields(), +1, false);
  EXPECT_EQ(image(), below);
  session_.undo();
  EXPECT_EQ(image(), all);
}

// ---- files -------------------------------------------------------------------

TEST_F(Session, OpeningAFileOrdersItAndNamesItWithoutAnUndoStep) {
  ParameterImage onDisk = Unordered(NewParameters(4));
  onDisk.advance(6) = 41;
  const fs::path file = dir_ / "bike.ign";
  ASSERT_TRUE(WriteFileAtomically(file, WriteParameterFile(onDisk)).ok);

  const FileOutcome opened = session_.openFile(file);
  ASSERT_TRUE(opened.ok) << opened.message;
  EXPECT_TRUE(opened.message.empty());
  EXPECT_EQ(image().bikeCode(), 4);
  EXPECT_EQ(image().advance(6), 41);
  EXPECT_TRUE(Ordered(image()));
  EXPECT_EQ(session_.fileName(), file.string());
  EXPECT_EQ(listener_.fileNameChanges, 1);
  EXPECT_EQ(listener_.imageChanges, std::vector<bool>{true});
  EXPECT_FALSE(session_.canUndo());

  // New and Read forget the name.
  session_.newParameters();
  EXPECT_TRUE(session_.fileName().empty());
  EXPECT_TRUE(session_.canUndo());
  ASSERT_TRUE(session_.openFile(file).ok);
  session_.startRead();
  EXPECT_TRUE(session_.fileName().empty());
  EXPECT_EQ(listener_.fileNameChanges, 4);
}

TEST_F(Session, ABadFileLeavesTheImageAndGivesTheVersionMessage) {
  begin(NewParameters(2), "kept.ign");
  listener_ = RecordingSession{};
  const ParameterImage before = image();
  const fs::path bad = dir_ / "bad.ign";
  ASSERT_TRUE(WriteFileAtomically(bad, "not a parameter file\r\nLimiter 5\r\n").ok);

  FileOutcome opened = session_.openFile(bad);
  EXPECT_FALSE(opened.ok);
  EXPECT_TRUE(opened.refused);  // a notice, not a failure of the system
  EXPECT_EQ(opened.message, "Unmatched version of *.ign file!\n" + bad.string());
  session_.setLanguage(kGerman);
  EXPECT_EQ(session_.openFile(bad).message, "Uneinig Version der Datendatei *.ign!\n" + bad.string());

  opened = session_.openFile(dir_ / "missing.ign");
  EXPECT_FALSE(opened.ok);
  EXPECT_FALSE(opened.refused);
  EXPECT_EQ(opened.message.rfind("Open file error\n", 0), 0u) << opened.message;
  EXPECT_NE(opened.message.find("missing.ign"), std::string::npos) << opened.message;

  EXPECT_EQ(image(), before);
  EXPECT_EQ(session_.fileName(), "kept.ign");
  EXPECT_TRUE(listener_.imageChanges.empty());
  EXPECT_EQ(listener_.fileNameChanges, 0);
  EXPECT_EQ(listener_.undoChanges, 0);
}

TEST_F(Session, SavingWritesTheOrderedFieldsAndNamesTheFile) {
  const fs::path file = dir_ / "out.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  const ParameterImage edited = Unordered(NewParameters(3));
  const FileOutcome saved = session_.saveFile(file, edited);
  ASSERT_TRUE(saved.ok) << saved.message;
  EXPECT_TRUE(Ordered(image()));
  EXPECT_EQ(image().bikeCode(), 3);
  EXPECT_EQ(Slurp(file), WriteParameterFile(image()));
  EXPECT_EQ(session_.fileName(), file.string());
  EXPECT_EQ(listener_.imageChanges, std::vector<bool>{false});
  EXPECT_FALSE(session_.canUndo());  // a save records nothing
}

TEST_F(Session, ASaveThatFailsKeepsTheOldFileAndTheName) {
  if (!test::kChildLimits) GTEST_SKIP() << test::kNoChildLimits;
  begin(NewParameters(0), "before.ign");
  const fs::path file = dir_ / "out.ign";
  ASSERT_TRUE(WriteFileAtomically(file, "old").ok);
  // A child limited to 10-byte files sees the write fail part way.
  EXPECT_TRUE(test::InChildWithFileSizeLimit(10, [&] {
    const FileOutcome saved = session_.saveFile(file, NewParameters(5));
    const bool reported = !saved.ok && saved.message.rfind("Open file error\n", 0) == 0 &&
                          saved.message.find("out.ign") != std::string::npos;
    return reported && session_.fileName() == "before.ign";
  }));
  EXPECT_EQ(Slurp(file), "old");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 1);  // no temporary file left
}

// ---- history -----------------------------------------------------------------

TEST_F(Session, ReadKeepsTheUnitsOwnBytesInTheHistoryWhileTheEditorOrdersThem) {
  std::swap(unit_.stored[field::kRpmPoint + 2], unit_.stored[field::kRpmPoint + 3]);
  unit_.stored[field::kBaseAdvance] = 13;
  const Payload raw = unit_.stored;
  listener_.imageChanges.clear();
  session_.startRead();
  EXPECT_GT(untilIdle(), 20);
  EXPECT_EQ(link_.countWritten(kReadImage), 6);  // the read and five verify sends
  EXPECT_EQ(listener_.events, (std::vector<SessionEvent>{SessionEvent::UnitInfoAccepted, SessionEvent::ImageRead,
                                                         SessionEvent::VerifyFailed}));
  EXPECT_TRUE(Ordered(image()));
  EXPECT_EQ(image().baseAdvance(), 13);
  EXPECT_EQ(listener_.imageChanges, std::vector<bool>{true});
  // The verify sent the ordered image.
  EXPECT_EQ(link_.written.back(), BuildTransferFrame(kReadImage, false, image()));

  const fs::path entry = dir_ / "history" / "2026-12-09_14-03-22_read.ign";
  const ReadResult read = ReadWholeFile(entry);
  ASSERT_TRUE(read.ok) << read.error;
  ParameterImage kept = NewParameters(9);
  ASSERT_TRUE(ReadParameterFile(read.content, kept));
  for (int i = 0; i < kBreakpointCount; ++i) {
    EXPECT_EQ(kept.rpmPoint(i), raw[field::kRpmPoint + static_cast<std::size_t>(i)]) << i;
  }
  EXPECT_EQ(kept.baseAdvance(), 13);
  EXPECT_FALSE(Ordered(kept));

  // The unit's answer is there for the difference report.
  ASSERT_TRUE(session_.unitAfterFailure());
  EXPECT_EQ(*session_.unitAfterFailure(), raw);
  EXPECT_TRUE(listener_.warnings.empty());
}

TEST_F(Session, ProgramKeepsWhatWasProgrammedInTheHistory) {
  ParameterImage edited = fields();
  edited.advance(4) = 36;
  program(edited);
  const ReadResult read = ReadWholeFile(dir_ / "history" / "2026-12-09_14-03-22_program.ign");
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.content, WriteParameterFile(image()));
  // A failed verify writes no history.
  unit_.stored[field::kAdvance] ^= 1;
  session_.startVerify(fields());
  untilIdle();
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_ / "history")) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(Session, AHistoryThatCannotBeWrittenIsAWarningNotAFailure) {
  // A file where the folder should be; its name holds a "%s" of its own.
  const fs::path blocked = dir_ / "odd%sname";
  ASSERT_TRUE(WriteFileAtomically(blocked, "x").ok);
  RecordingSession listener;
  EditorSession session(link_, listener, {blocked, [] { return kNow; }});
  session.begin(image(), StoredChoices{kEnglish, 0, 0}, {});
  session.openPort();
  session.startRead();
  for (int i = 0; i < 10; ++i) session.tick();
  ASSERT_EQ(listener.warnings.size(), 1u);
  const std::string& text = listener.warnings[0];
  EXPECT_EQ(text.rfind("Unable to save " + blocked.string() + ": ", 0), 0u) << text;
  EXPECT_NE(text.find("Not a directory"), std::string::npos) << text;  // the reason
  EXPECT_EQ(listener.events.back(), SessionEvent::Verified);  // the read itself went on
}

// ---- transfers ---------------------------------------------------------------

TEST_F(Session, VerifyAndProgramSendTheFieldsInOrder) {
  ParameterImage edited = Unordered(fields());
  edited.baseAdvance() = 17;
  session_.startVerify(edited);
  EXPECT_EQ(image().baseAdvance(), 17);
  EXPECT_TRUE(Ordered(image()));
  EXPECT_EQ(link_.written.back(), BuildTransferFrame(kReadImage, false, image()));
  EXPECT_EQ(listener_.imageChanges, std::vector<bool>{false});
  untilIdle();
  EXPECT_EQ(engine().display().operation.text, "Verify error!");
  EXPECT_EQ(listener_.events.back(), SessionEvent::VerifyFailed);

  session_.startProgram(Unordered(fields()));
  ASSERT_GT(untilIdle(), 0);
  EXPECT_EQ(listener_.events.back(), SessionEvent::Verified);
  EXPECT_TRUE(Ordered(image()));
  EXPECT_EQ(unit_.stored, BytesOf(image()));
}

// What changed in the image after the command (a drag, say) is put in order
// when the unit answers, before the image goes out.
TEST_F(Session, ProgramOrdersAgainWhenTheUnitAnswers) {
  session_.startProgram(fields());
  session_.image().rpmPoint(6) = session_.image().rpmPoint(5);
  listener_.imageChanges.clear();
  session_.tick();
  EXPECT_EQ(listener_.events, std::vector<SessionEvent>{SessionEvent::UnitInfoAccepted});
  EXPECT_EQ(listener_.imageChanges, std::vector<bool>{false});
  EXPECT_TRUE(Ordered(image()));
  EXPECT_EQ(link_.written.back(), BuildTransferFrame(kProgramImage, false, image()));
  untilIdle();
  EXPECT_EQ(unit_.stored, BytesOf(image()));
}

TEST_F(Session, AReadOrdersAndRescalesAndEndsVerified) {
  unit_.stored[field::kLimiter] = 140;
  begin(NewParameters(0), "some.ign");
  listener_ = RecordingSession{};
  session_.startRead();
  EXPECT_TRUE(session_.fileName().empty());
  EXPECT_EQ(listener_.fileNameChanges, 1);
  ASSERT_GT(untilIdle(), 0);
  EXPECT_EQ(image().limiter(), 140);
  EXPECT_EQ(listener_.imageChanges, std::vector<bool>{true});
  EXPECT_EQ(listener_.events, (std::vector<SessionEvent>{SessionEvent::UnitInfoAccepted, SessionEvent::ImageRead,
                                                         SessionEvent::Verified}));
  EXPECT_TRUE(session_.notProgrammedText().empty());
  EXPECT_FALSE(session_.canUndo());  // a read records nothing
}

TEST_F(Session, AfterProgramTheSavingFinishesOnlyWhenTheCountdownRunsOut) {
  unit_.monitor.savingCountdown = 80;
  ticks(7);  // the unit reports a countdown before any programming: not ours
  ASSERT_GT(listener_.monitorFrames, 0);
  ParameterImage edited = fields();
  edited.advance(1) = 16;
  program(edited);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 0);
  const int frames = listener_.monitorFrames;
  ticks(7);
  ASSERT_GT(listener_.monitorFrames, frames);
  EXPECT_TRUE(engine().display().saving);
  unit_.monitor.savingCountdown = 30;
  ticks(12);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 0);
  unit_.monitor.savingCountdown = 0;
  ticks(7);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 1);
  EXPECT_EQ(listener_.events.back(), SessionEvent::SavingFinished);
  ticks(500);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 1);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 0);
}

TEST_F(Session, SavingUnconfirmedWhenTheUnitFallsSilentMeanwhile) {
  unit_.monitor.savingCountdown = 80;
  program(fields());
  ticks(8);
  ASSERT_TRUE(engine().display().saving);
  unit_.silent = true;
  int silent = 0;
  for (; listener_.count(SessionEvent::ConnectionLost) == 0 && silent < 30; ++silent) {
    EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 0);
    session_.tick();
  }
  EXPECT_GE(silent, 10);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 1);
  const std::vector<SessionEvent> last(listener_.events.end() - 2, listener_.events.end());
  EXPECT_EQ(last, (std::vector<SessionEvent>{SessionEvent::ConnectionLost, SessionEvent::SavingUnconfirmed}));
  unit_.silent = false;
  unit_.monitor.savingCountdown = 0;
  ticks(60);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 0);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 1);
}

TEST_F(Session, SavingUnconfirmedWhenTheCountdownNeverEnds) {
  unit_.monitor.savingCountdown = 80;
  program(fields());
  ticks(380);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 0);
  ticks(40);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 1);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 0);
}

TEST_F(Session, OnlyAProgramWaitsForTheSaving) {
  session_.startVerify(fields());
  ASSERT_GT(untilIdle(), 0);
  session_.startRead();
  ASSERT_GT(untilIdle(), 0);
  EXPECT_EQ(listener_.count(SessionEvent::Verified), 2);
  ticks(450);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 0);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 0);

  // A unit that reports no countdown at all has saved by the next frame.
  program(fields());
  ticks(7);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 1);

  // Another command ends the wait without a verdict.
  unit_.monitor.savingCountdown = 80;
  program(fields());
  session_.startVerify(fields());
  ticks(450);
  EXPECT_EQ(listener_.count(SessionEvent::SavingFinished), 1);
  EXPECT_EQ(listener_.count(SessionEvent::SavingUnconfirmed), 0);
}

TEST_F(Session, AnotherVersionGivesOneMessageAndOrdersOnce) {
  for (bool programming : {false, true}) {
    begin(NewParameters(0));
    listener_ = RecordingSession{};
    unit_.info.bytes[unit_info::kProtocolVersion] = 60;
    const Payload inUnit = unit_.stored;
    std::optional<TransferState> inside;
    listener_.insideMessage = [&] {
      inside = engine().transferState();
      ticks(12);  // ticks go on while the box is open
    };
    if (programming) {
      session_.startProgram(fields());
    } else {
      session_.startRead();
    }
    // Something put the image out of order after the command (a drag).
    session_.image().rpmPoint(4) = session_.image().rpmPoint(3);
    ParameterImage expected = fields();
    expected.rpmPoint(4) = static_cast<std::uint8_t>(expected.rpmPoint(3) + 1);
    listener_.imageChanges.clear();
    session_.tick();
    ASSERT_EQ(listener_.messages.size(), 1u) << programming;
    EXPECT_EQ(listener_.messages[0], kMismatch);
    EXPECT_EQ(inside, TransferState::Idle);
    EXPECT_EQ(listener_.imageChanges, std::vector<bool>{false});
    EXPECT_EQ(image(), expected);
    EXPECT_EQ(listener_.count(SessionEvent::VersionMismatch), 1);
    EXPECT_EQ(listener_.count(SessionEvent::UnitInfoAccepted), 0);
    EXPECT_EQ(link_.countWritten(kProgramImage), 0);
    EXPECT_EQ(unit_.stored, inUnit);
    ticks(30);
    EXPECT_EQ(listener_.messages.size(), 1u);
    EXPECT_EQ(listener_.imageChanges.size(), 1u);
    EXPECT_FALSE(session_.unitAfterFailure());
  }
}

TEST_F(Session, NotProgrammedFollowsTheLastVerify) {
  // Nothing learnt about the unit yet: no sign, also not after a failed Read.
  EXPECT_EQ(session_.notProgrammedText(), "");
  unit_.silent = true;
  session_.startRead();
  untilIdle();
  ASSERT_EQ(listener_.events.back(), SessionEvent::ReadFailed);
  EXPECT_EQ(session_.notProgrammedText(), "");
  unit_.silent = false;
  ticks(10);
  session_.startVerify(fields());
  untilIdle();
  EXPECT_EQ(session_.notProgrammedText(), "");
  ParameterImage edited = fields();
  edited.advance(8) = 30;
  session_.applyFields(edited);
  EXPECT_EQ(session_.notProgrammedText(), "Not programmed");
  session_.undo();
  EXPECT_EQ(session_.notProgrammedText(), "");

  // A failed verify: the unit holds something else, whatever the editor goes back to.
  unit_.stored[field::kAdvance + 8] = 31;
  session_.startVerify(fields());
  untilIdle();
  EXPECT_EQ(listener_.events.back(), SessionEvent::VerifyFailed);
  session_.applyFields(edited);
  session_.undo();
  EXPECT_EQ(session_.notProgrammedText(), "Not programmed");
  session_.setLanguage(kGerman);
  EXPECT_EQ(session_.notProgrammedText(), "Nicht programmiert");

  // A failed program forgets too.
  session_.setLanguage(kEnglish);
  program(fields());
  EXPECT_EQ(session_.notProgrammedText(), "");
  unit_.badEchoes = 100;
  session_.startProgram(fields());
  untilIdle();
  EXPECT_EQ(listener_.events.back(), SessionEvent::ProgramFailed);
  EXPECT_EQ(session_.notProgrammedText(), "Not programmed");

  // Unplugged: what the next unit holds is not known.
  unit_.silent = true;
  ticks(30);
  ASSERT_EQ(listener_.events.back(), SessionEvent::ConnectionLost);
  EXPECT_EQ(session_.notProgrammedText(), "");
  unit_.silent = false;
  unit_.badEchoes = 0;
  ticks(40);
  ASSERT_EQ(listener_.events.back(), SessionEvent::ConnectionBack);
  EXPECT_EQ(session_.notProgrammedText(), "");
  session_.startRead();
  untilIdle();
  EXPECT_EQ(session_.notProgrammedText(), "");  // the editor now holds what was read
  ParameterImage later = fields();
  later.advance(1) = 12;
  session_.applyFields(later);
  EXPECT_EQ(session_.notProgrammedText(), "Not programmed");
}

TEST_F(Session, UnitAfterFailureHoldsOnlyThisTransfersAnswer) {
  unit_.stored[field::kLimiter] = 99;
  const Payload inUnit = unit_.stored;
  session_.startVerify(fields());
  untilIdle();
  ASSERT_EQ(listener_.events.back(), SessionEvent::VerifyFailed);
  ASSERT_TRUE(session_.unitAfterFailure());
  EXPECT_EQ(*session_.unitAfterFailure(), inUnit);

  // A unit that no longer answers leaves nothing to compare, although the
  // engine still keeps the older answer.
  unit_.silent = true;
  session_.startVerify(fields());
  untilIdle();
  ASSERT_EQ(listener_.events.back(), SessionEvent::VerifyFailed);
  EXPECT_TRUE(engine().lastUnitImage());
  EXPECT_FALSE(session_.unitAfterFailure());

  // The bad echo of a failed program is what the unit holds.
  unit_.silent = false;
  unit_.badEchoes = 100;
  session_.startProgram(fields());
  untilIdle();
  ASSERT_EQ(listener_.events.back(), SessionEvent::ProgramFailed);
  ASSERT_TRUE(session_.unitAfterFailure());
  EXPECT_NE(*session_.unitAfterFailure(), BytesOf(image()));
  EXPECT_EQ(*session_.unitAfterFailure(), *engine().lastUnitImage());

  // Success clears it.
  unit_.badEchoes = 0;
  program(fields());
  EXPECT_FALSE(session_.unitAfterFailure());
}

TEST_F(Session, PortAndConnectionAreReported) {
  unit_.silent = true;
  ticks(30);
  EXPECT_EQ(listener_.events, std::vector<SessionEvent>{SessionEvent::ConnectionLost});
  unit_.silent = false;
  ticks(40);  // reopened quietly, polled, answered
  EXPECT_EQ(listener_.events, (std::vector<SessionEvent>{SessionEvent::ConnectionLost, SessionEvent::ConnectionBack}));
  EXPECT_TRUE(listener_.messages.empty());
  link_.missing = {3};
  session_.choosePort(2);
  ASSERT_EQ(listener_.messages.size(), 1u);
  EXPECT_EQ(listener_.messages[0].rfind("Com opening error!\n", 0), 0u) << listener_.messages[0];
  EXPECT_EQ(session_.choices().selectedComIndex, 2);
}

}  // namespace
}  // namespace zelmo
