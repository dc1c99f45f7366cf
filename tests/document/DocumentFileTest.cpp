// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/DocumentFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::AddItem;
using test::AddPage;
using test::AddRectangle;
using test::ReadAll;
using test::ScriptedPrompter;
using test::WriteAll;

class DocumentFileTest : public ::testing::Test {
 protected:
  QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

  // Writes list to a file and returns the file's bytes.
  QByteArray Write(ItemList& list, const char* name = "doc.qlln") {
    const FileResult result = WriteDocument(Path(name), list);
    EXPECT_TRUE(result.ok()) << result.message;
    return ReadAll(Path(name));
  }

  FileResult Read(const QByteArray& bytes, ItemList& list, Prompter& prompter) {
    EXPECT_TRUE(WriteAll(Path("in.qlln"), bytes));
    return ReadDocument(Path("in.qlln"), list, prompter);
  }

  QTemporaryDir dir_;
};

template <class T>
void Poke(QByteArray& bytes, int at, T value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

template <class T>
T Peek(const QByteArray& bytes, int at) {
  T value;
  std::memcpy(&value, bytes.constData() + at, sizeof value);
  return value;
}

// Garbage in bytes that no rule touches, so that a round trip shows whether they survive.
void ScribbleReserved(ItemRecord& r, uint8_t seed) {
  ItemRecord::Bytes bytes = r.persisted();
  for (int at : {8, 9, 193, 269, 353, 364, 397, 404, 418, 447})
    bytes[at] = seed++;
  if (r.recordClass() == kClassContent) {
    for (int at = 149 + bytes[148]; at <= 180; ++at)
      bytes[at] = seed++;  // fontName's tail
  }
  r.setPersisted(bytes);
}

// A document with every kind of record, consistent so that reading it changes nothing.
void BuildFullDocument(ItemList& list) {
  ItemRecord& page = AddPage(list);
  page.setGridVertical(255);
  page.setLightDirection(2);
  ItemRecord& anchors = *list.last();
  anchors.verticalAnchors = {{.position = 0}, {.position = 38}, {.deleted = 1, .position = 5}};
  anchors.horizontalAnchors = {{.position = 76}};
  ItemRecord& text = AddItem(list, kKindText, {10, 10}, {90, 30});
  SetText(text, u"Hello\u07ECw\u00F6rld \U0001F600");
  text.setFontName("Liberation Serif");
  AddItem(list, kKindLine, {0, 0}, {33, -7}).setLinePattern(-1);
  ItemRecord& star = AddRectangle(list, {5, 5}, {25, 45});
  star.setKind(kKindStar);
  star.setSides(5);
  star.points[1].pointFlagA = 255;
  star.points[2].reserved = {1, 2, 3, 4, 5, 6};
  ItemRecord& curve = AddRectangle(list, {1, 2}, {3, 4});
  curve.setKind(kKindCurve);
  curve.setShapeStyle(2);
  curve.points[0].handleIn = {-3, 9};
  ItemRecord& picture = AddItem(list, kKindPicture, {50, 50}, {53, 54});
  picture.setClipShape(2);
  picture.setSourceNumber(4242);
  RecomputeFromReal(picture, list.screen());
  ItemRecord& frame = AddItem(list, kKindGroupFrame, {7, 7}, {7, 7});
  frame.setStackLevel(0);
  frame.setGroupNumber(1);
  ItemRecord& pattern = NewRecord(list, -1);
  pattern.setRecordClass(kClassLinePattern);
  for (int i = 0; i < 4; ++i)
    pattern.setPatternSegment(i, 0.5 * (i + 1));
  pattern.setPatternCount(4);
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(kClassPictureSource);
  source.setSourceNumber(4242);
  source.setItemId(99);
  source.pictureData = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10};
  SetText(source, u"/home/user/Pictures/photo.jpg");
  // What the reader gives every item: numbers in file order and no history.
  int32_t number = 0;
  uint8_t seed = 1;
  for (ItemRecord& r : list) {
    ScribbleReserved(r, seed += 40);
    if (r.kind() == kKindPageSetup || r.kind() == kKindPictureSource) continue;
    r.setItemId(++number);
    r.setHistoryState(0);
  }
  SetModified(list, false);
}

TEST_F(DocumentFileTest, RoundTripKeepsEveryByte) {
  ItemList original;
  BuildFullDocument(original);
  const QByteArray first = Write(original, "first.qlln");
  ItemList reread;
  ScriptedPrompter prompter;
  ASSERT_TRUE(ReadDocument(Path("first.qlln"), reread, prompter).ok());
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(reread.size(), original.size());
  const QByteArray second = Write(reread, "second.qlln");
  ASSERT_EQ(first.size(), second.size());
  for (int i = 0; i < first.size(); ++i)
    ASSERT_EQ(first[i], second[i]) << "byte " << i;

  // What the reader rebuilt from the payloads.
  ItemRecord* text = FindByKind(reread, kKindText);
  EXPECT_EQ(text->text(), u"Hello\u07ECw\u00F6rld \U0001F600");
  EXPECT_EQ(text->fontName(), "Liberation Serif");
  ItemRecord* star = FindByKind(reread, kKindStar);
  ASSERT_EQ(PointCount(star->points), 4);
  EXPECT_EQ(star->points[2].reserved, (std::array<uint8_t, 6>{1, 2, 3, 4, 5, 6}));
  ItemRecord* anchors = FindByKind(reread, kKindAnchors);
  ASSERT_EQ(anchors->verticalAnchors.size(), 2u) << "deleted anchor lines are not written";
  EXPECT_EQ(anchors->verticalAnchors[1].position, 38);
  EXPECT_EQ(FindByKind(reread, kKindPictureSource)->pictureData.size(), 6u);
  EXPECT_EQ(FindByKind(reread, kKindPictureSource)->itemId(), 99);
  EXPECT_EQ(FindByKind(reread, -1)->patternSegment(3), 2.0);
  EXPECT_EQ(FindPageRecord(reread)->formatVersion(), 165);
}

TEST_F(DocumentFileTest, NewDocumentIsThePageAndAnchorsRecords) {
  ItemList list;
  ItemRecord& page = AddPage(list);
  list.last()->verticalAnchors = {{.position = 0}, {.position = 38}};
  const QByteArray bytes = Write(list);
  const int text = 2 * static_cast<int>(page.text().size());
  ASSERT_EQ(bytes.size(), 448 + text + 448 + 16);
  EXPECT_EQ(Peek<int32_t>(bytes, 112), text);
  EXPECT_EQ(Peek<uint32_t>(bytes, 60), 147483647u);
  EXPECT_EQ(Peek<int32_t>(bytes, 323), 165);
  EXPECT_EQ(Peek<uint8_t>(bytes, 321), 0);
  EXPECT_EQ(Peek<int32_t>(bytes, 448 + text + 4), kKindAnchors);
  EXPECT_EQ(Peek<int32_t>(bytes, 448 + text + 448 + 8), 1);
  EXPECT_EQ(Peek<int32_t>(bytes, 448 + text + 448 + 12), 38);
}

TEST_F(DocumentFileTest, HistoryAndUnusedSourcesAreNotWritten) {
  ItemList list;
  AddPage(list);
  AddItem(list, kKindText, {0, 0}, {10, 10});  // no characters
  AddItem(list, kKindLine, {0, 0}, {10, 10}).setHidden(255);
  AddItem(list, kKindDeletionMarker, {0, 0}, {10, 10});
  ItemRecord& a = AddItem(list, kKindPicture, {0, 0}, {10, 10});
  ItemRecord& b = AddItem(list, kKindPicture, {20, 0}, {30, 10});
  a.setSourceNumber(5);
  b.setSourceNumber(5);
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(kClassPictureSource);
  source.setSourceNumber(5);
  source.pictureData = {1, 2, 3};
  ItemRecord& orphan = NewRecord(list, kKindPictureSource);
  orphan.setRecordClass(kClassPictureSource);
  orphan.setSourceNumber(6);

  auto kinds = [&](const QByteArray& bytes) {
    ItemList read;
    ScriptedPrompter prompter;
    EXPECT_TRUE(Read(bytes, read, prompter).ok());
    std::vector<int32_t> result;
    for (const ItemRecord& r : read)
      result.push_back(r.kind());
    return result;
  };
  EXPECT_EQ(kinds(Write(list)), (std::vector<int32_t>{kKindPageSetup, kKindAnchors, kKindPicture,
                                                      kKindPicture, kKindPictureSource}));
  a.setHidden(255);
  b.setHidden(255);
  EXPECT_EQ(kinds(Write(list)), (std::vector<int32_t>{kKindPageSetup, kKindAnchors}));
}

TEST_F(DocumentFileTest, ReadingRenumbersItemsInFileOrder) {
  ItemList list;
  AddPage(list).setItemId(40);
  AddItem(list, kKindLine, {0, 0}, {1, 1}).setItemId(17);
  ItemRecord& rect = AddRectangle(list, {0, 0}, {1, 1});
  rect.setItemId(3);
  rect.setReplacesId(2);
  rect.setTransaction(8);
  ItemList read;
  ScriptedPrompter prompter;
  ASSERT_TRUE(Read(Write(list), read, prompter).ok());
  std::vector<std::pair<int32_t, int32_t>> ids;
  for (const ItemRecord& r : read)
    ids.emplace_back(r.itemId(), r.historyState());
  const int32_t storedPageId = FindPageRecord(read)->itemId();
  EXPECT_EQ(storedPageId, 40);
  EXPECT_EQ(ids,
            (std::vector<std::pair<int32_t, int32_t>>{
                {storedPageId, FindPageRecord(read)->historyState()}, {1, 0}, {2, 0}, {3, 0}}));
  EXPECT_EQ(FindById(read, 3)->replacesId(), 0);
  EXPECT_EQ(FindById(read, 3)->transaction(), 8);
  EXPECT_FALSE(IsModified(read));
}

TEST_F(DocumentFileTest, EveryWrittenPageRecordSaysNoHistoryFollows) {
  ItemList list;
  ItemRecord& hidden = NewRecord(list, kKindPageSetup);  // a damaged file's stray page record
  hidden.setHidden(255);
  AddPage(list).setHistorySaved(255);
  AddItem(list, kKindLine, {0, 0}, {1, 1}).setItemId(40);
  ItemList read;
  ScriptedPrompter prompter;
  ASSERT_TRUE(Read(Write(list), read, prompter).ok());
  EXPECT_EQ(FindPageRecord(read)->historySaved(), 0);
  EXPECT_EQ(FindByKind(read, kKindLine)->itemId(), 2) << "renumbered after the anchors record";
}

TEST_F(DocumentFileTest, HistorySavedKeepsTheHistoryFields) {
  ItemList list;
  AddPage(list);
  ItemRecord& line = AddItem(list, kKindLine, {0, 0}, {1, 1});
  line.setItemId(17);
  line.setReplacesId(4);
  QByteArray bytes = Write(list);
  Poke<uint8_t>(bytes, 321, 255);
  ItemList read;
  ScriptedPrompter prompter;
  ASSERT_TRUE(Read(bytes, read, prompter).ok());
  EXPECT_EQ(FindByKind(read, kKindLine)->itemId(), 17);
  EXPECT_EQ(FindByKind(read, kKindLine)->replacesId(), 4);
  EXPECT_EQ(FindByKind(read, kKindLine)->historyState(), 1);
}

TEST_F(DocumentFileTest, ShortFilesReadAsEmptyDocuments) {
  for (int size : {0, 100, 447}) {
    ItemList read;
    AddPage(read);
    ScriptedPrompter prompter;
    ASSERT_TRUE(Read(QByteArray(size, 'x'), read, prompter).ok()) << size;
    EXPECT_TRUE(read.empty());
    EXPECT_TRUE(prompter.asked.empty());
  }
}

TEST_F(DocumentFileTest, WrongMagicAsksOnceAndMarksTheDocumentModified) {
  ItemList list;
  AddPage(list);
  AddItem(list, kKindLine, {0, 0}, {1, 1});
  QByteArray bytes = Write(list);
  const int second = 448 + Peek<int32_t>(bytes, 112) + 448;
  Poke<uint32_t>(bytes, 60, 1);
  Poke<uint32_t>(bytes, second + 60, 2);

  ItemList declined;
  AddItem(declined, kKindLine, {0, 0}, {1, 1});
  ScriptedPrompter no(PromptAnswer::No);
  EXPECT_EQ(Read(bytes, declined, no).status, FileResult::Status::Declined);
  EXPECT_EQ(no.asked, (std::vector<std::string>{kInvalidFileQuestion}));
  EXPECT_EQ(declined.size(), 1u) << "the previous content stays";

  ItemList accepted;
  ScriptedPrompter yes(PromptAnswer::Yes);
  ASSERT_TRUE(Read(bytes, accepted, yes).ok());
  EXPECT_EQ(yes.asked.size(), 1u);
  EXPECT_EQ(accepted.size(), 3u);
  EXPECT_TRUE(IsModified(accepted));
}

TEST_F(DocumentFileTest, NewerFormatVersionWarnsAfterLoading) {
  ItemList list;
  AddPage(list);
  QByteArray bytes = Write(list);
  for (int32_t version : {165, 166}) {
    Poke<int32_t>(bytes, 323, version);
    ItemList read;
    ScriptedPrompter prompter;
    ASSERT_TRUE(Read(bytes, read, prompter).ok());
    EXPECT_EQ(read.size(), 2u);
    EXPECT_EQ(prompter.asked.size(), version > 165 ? 1u : 0u);
    if (version > 165) {
      EXPECT_EQ(prompter.asked[0], kNewerVersionWarning);
    }
  }
}

TEST_F(DocumentFileTest, PayloadRemaindersAreIgnored) {
  ItemList list;
  AddPage(list);
  ItemRecord& rect = AddRectangle(list, {0, 0}, {9, 9});
  rect.points.resize(2);
  ItemRecord& anchors = *FindByKind(list, kKindAnchors);
  anchors.verticalAnchors = {{.position = 12}};
  AddItem(list, kKindLine, {1, 2}, {3, 4});
  QByteArray bytes = Write(list);
  // Give the 112-byte point payload 8 more bytes and cut the anchor payload to 7 bytes.
  const int anchorsAt = 448 + Peek<int32_t>(bytes, 112);
  const int rectAt = anchorsAt + 448 + 8;
  Poke<int32_t>(bytes, anchorsAt + 112, 7);
  bytes.remove(anchorsAt + 448 + 7, 1);
  Poke<int32_t>(bytes, rectAt - 1 + 112, 120);
  bytes.insert(rectAt - 1 + 448 + 112, QByteArray(8, '\x7F'));
  ItemList read;
  ScriptedPrompter prompter;
  ASSERT_TRUE(Read(bytes, read, prompter).ok());
  EXPECT_TRUE(FindByKind(read, kKindAnchors)->verticalAnchors.empty());
  EXPECT_EQ(PointCount(FindByKind(read, kKindRectangle)->points), 2);
  ASSERT_NE(FindByKind(read, kKindLine), nullptr);
  EXPECT_EQ(FindByKind(read, kKindLine)->x2(), 3);
}

// A page record followed by one record of the given kind and payload length, then the payload,
// then a line record that should still be found when the payload was skipped rightly.
QByteArray HostileFile(int32_t kind, int32_t payloadLength, int payloadBytes, int offset56 = 0) {
  ItemList list;
  AddPage(list).setPayloadLength(0);
  SetText(*FindPageRecord(list), u"");
  QByteArray bytes;
  auto append = [&](ItemRecord& r) {
    bytes.append(reinterpret_cast<const char*>(r.persisted().data()), kPersistedSize);
  };
  ItemRecord& page = *FindPageRecord(list);
  page.setFormatVersion(165);
  append(page);
  ItemRecord& r = NewRecord(list, kind);
  r.setPayloadLength(payloadLength);
  r.setDiagonal(offset56);
  append(r);
  bytes.append(QByteArray(payloadBytes, '\x41'));
  ItemRecord& line = NewRecord(list, kKindLine);
  line.setRealX2(7 * list.screen().PxPerMmX());
  append(line);
  return bytes;
}

TEST_F(DocumentFileTest, HostileLengthsCostNothingAndKeepTheFileInStep) {
  struct Case {
    const char* what;
    int32_t kind;
    int32_t payloadLength;
    int payloadBytes;
    int32_t offset56;
    bool lineFound;
  };
  const Case cases[] = {
      {"points claiming 2 GB", kKindTriangle, 2147483647, 100, 0, false},
      {"negative point length", kKindTriangle, -56, 0, 0, true},
      {"refused text payload is skipped", kKindText, 1024000, 1024000, 0, true},
      {"text cut short", kKindText, 5000, 100, 0, false},
      {"odd text length", kKindText, 5, 5, 0, true},
      {"picture bytes claiming 2 GB", kKindPictureSource, 2147483647, 10, 0, false},
      {"name claiming 2 GB", kKindPictureSource, 0, 0, 2147483647, false},
      {"refused name is skipped", kKindPictureSource, 2, 2 + 1024000, 1024000, true},
      {"negative name length", kKindPictureSource, 0, 0, -4, true},
      {"anchors claiming 2 GB", kKindAnchors, 2147483647, 3, 0, false},
  };
  for (const Case& c : cases) {
    ItemList read;
    ScriptedPrompter prompter;
    const QByteArray bytes = HostileFile(c.kind, c.payloadLength, c.payloadBytes, c.offset56);
    ASSERT_TRUE(Read(bytes, read, prompter).ok()) << c.what;
    EXPECT_TRUE(prompter.asked.empty()) << c.what;
    ItemRecord* line = FindByKind(read, kKindLine);
    EXPECT_EQ(line != nullptr, c.lineFound) << c.what;
    if (line != nullptr) {
      EXPECT_EQ(line->x2(), 7) << c.what;
    }
    ItemRecord* hostile = read.first()->next();
    ASSERT_NE(hostile, nullptr) << c.what;
    EXPECT_TRUE(hostile->points.empty()) << c.what;
    EXPECT_LE(hostile->pictureData.size(), 2u) << c.what;
    if (std::string_view(c.what) == "odd text length") {
      EXPECT_EQ(hostile->text(), std::u16string(2, char16_t{0x4141}));
    }
  }
}

TEST_F(DocumentFileTest, ScreenResolutionOfTheReaderDecidesTheUnitScale) {
  ItemList list;
  AddPage(list);
  const QByteArray mm = Write(list);
  ItemList on120(ScreenMetrics{120, 120});
  ScriptedPrompter prompter;
  ASSERT_TRUE(Read(mm, on120, prompter).ok());
  EXPECT_DOUBLE_EQ(FindPageRecord(on120)->pixelsPerUnitX(), 120 / 25.4);

  FindPageRecord(list)->setPageUnits(kUnitPixels);
  FindPageRecord(list)->setPixelsPerUnitX(3.5);
  ItemList pixels(ScreenMetrics{120, 120});
  ASSERT_TRUE(Read(Write(list), pixels, prompter).ok());
  EXPECT_EQ(FindPageRecord(pixels)->pixelsPerUnitX(), 1.0);
  EXPECT_EQ(FindPageRecord(pixels)->pixelsPerUnitY(), 1.0);
}

TEST_F(DocumentFileTest, FailedWriteSaysSoAndKeepsTheModifiedMark) {
  ItemList list;
  AddPage(list);
  NewRecord(list, kKindLine);
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
  const FileResult result = WriteDocument(Path("folder"), list);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.message.rfind("The file could not be saved.", 0), 0u) << result.message;
  EXPECT_TRUE(IsModified(list));

  ItemList noPage;
  EXPECT_FALSE(WriteDocument(Path("nopage.qlln"), noPage).ok());
  EXPECT_FALSE(QFile::exists(Path("nopage.qlln")));
}

TEST_F(DocumentFileTest, SavingReplacesTheOldFileAndClearsTheModifiedMark) {
  ItemList list;
  AddPage(list);
  WriteAll(Path("doc.qlln"), "old content");
  NewRecord(list, kKindLine);
  EXPECT_TRUE(IsModified(list));
  const QByteArray bytes = Write(list);
  EXPECT_FALSE(IsModified(list));
  EXPECT_EQ(Peek<int32_t>(bytes, 4), kKindPageSetup);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
      << "no temporary file is left";
}

// Hands out bytes as a pipe does: in odd pieces, without a size and without seeking.
class Trickle : public QIODevice {
 public:
  explicit Trickle(QByteArray bytes) : bytes_(std::move(bytes)) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override { return bytes_.size() - at_; }

 protected:
  qint64 readData(char* data, qint64 size) override {
    const qint64 n = std::min<qint64>({size, 7919, bytes_.size() - at_});
    std::memcpy(data, bytes_.constData() + at_, static_cast<std::size_t>(n));
    at_ += n;
    return n;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QByteArray bytes_;
  qint64 at_ = 0;
};

TEST_F(DocumentFileTest, DocumentsOfManyBlocksReadWholeFromFilesAndPipes) {
  // Megabytes of records whose payloads of every length straddle the reader's blocks, and a
  // picture larger than a block.
  ItemList list;
  AddPage(list);
  AddItem(list, kKindPicture, {0, 0}, {40, 40}).setSourceNumber(7);
  ItemRecord& source = NewRecord(list, kKindPictureSource);
  source.setRecordClass(kClassPictureSource);
  source.setSourceNumber(7);
  for (int i = 0; i < 1300001; ++i)
    source.pictureData.push_back(static_cast<uint8_t>(i * 31));
  SetText(source, u"photo.jpg");
  for (int i = 0; i < 3000; ++i) {
    if (i % 2 == 0) {
      SetText(AddItem(list, kKindText, {i, 0}, {i + 9, 9}),
              std::u16string(static_cast<std::size_t>(1 + i % 97), u'a' + i % 26));
    } else {
      ItemRecord& shape = AddRectangle(list, {0, i}, {9, i + 9});
      for (int k = 0; k < i % 7; ++k)
        NewPoint(shape.points).point = {k, i};
    }
  }
  int32_t number = 0;  // numbered and outside the history, as reading leaves them
  for (ItemRecord& r : list) {
    if (r.kind() == kKindPageSetup || r.kind() == kKindPictureSource) continue;
    r.setItemId(++number);
    r.setHistoryState(0);
  }
  SetModified(list, false);
  const QByteArray file = Write(list, "large.qlln");
  ASSERT_GT(file.size(), 2 << 20);
  ScriptedPrompter prompter;
  ItemList fromFile, fromPipe;
  ASSERT_TRUE(ReadDocument(Path("large.qlln"), fromFile, prompter).ok());
  Trickle pipe(file);
  ASSERT_TRUE(ReadDocumentFrom(pipe, fromPipe, prompter).ok());
  for (ItemList* read : {&fromFile, &fromPipe}) {
    EXPECT_EQ(read->size(), list.size());
    EXPECT_TRUE(Write(*read, "again.qlln") == file) << "what was read writes other bytes";
  }
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(DocumentFileTest, MissingFilesAndEmptyPathsFail) {
  ItemList list;
  ScriptedPrompter prompter;
  for (const QString& path : {QString(), QStringLiteral("   "), Path("absent.qlln")}) {
    const FileResult result = ReadDocument(path, list, prompter);
    EXPECT_EQ(result.status, FileResult::Status::Failed);
    EXPECT_EQ(result.message.rfind("The file could not be read.", 0), 0u);
  }
}

// A process id that no running process has.
pid_t GonePid() {
  for (pid_t pid = 4000000;; --pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) return pid;
  }
}

TEST_F(DocumentFileTest, SavingRemovesTemporariesThatKilledRunsLeft) {
  ItemList list;
  AddPage(list);
  // Outputs of any name into the folder leave the same kind of file when they are killed.
  const QString stale = QStringLiteral(".doc.qlln.quillon-%1-000001.tmp").arg(GonePid());
  const QString otherStale = QStringLiteral(".card.pdf.quillon-%1-000003.tmp").arg(GonePid());
  const QString running = QStringLiteral(".doc.qlln.quillon-%1-000002.tmp").arg(::getpid());
  const QString otherRunning = QStringLiteral(".card.pdf.quillon-1-000004.tmp");
  const QString notOurs[] = {
      QStringLiteral("doc.qlln.quillon-%1-000005.tmp").arg(GonePid()),
      QStringLiteral(".doc.qlln.quillon-%1-5.tmp").arg(GonePid()),
      QStringLiteral(".doc.qlln.quillon-%1-000006.tmp.keep").arg(GonePid()),
      QStringLiteral(".quillon-%1-000007.tmp").arg(GonePid()),
  };
  for (const QString& name : {stale, otherStale, running, otherRunning})
    WriteAll(dir_.filePath(name), "partial");
  for (const QString& name : notOurs)
    WriteAll(dir_.filePath(name), "someone else's");
  Write(list);
  EXPECT_FALSE(QFile::exists(dir_.filePath(stale)));
  EXPECT_FALSE(QFile::exists(dir_.filePath(otherStale))) << "another output's leftover goes too";
  EXPECT_TRUE(QFile::exists(dir_.filePath(running))) << "a save in progress keeps its file";
  EXPECT_TRUE(QFile::exists(dir_.filePath(otherRunning))) << "a running process keeps its file";
  for (const QString& name : notOurs)
    EXPECT_TRUE(QFile::exists(dir_.filePath(name))) << name.toStdString();
}

TEST_F(DocumentFileTest, SavingNeverReplacesAPipeOrADevice) {
  ItemList list;
  AddPage(list);
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.qlln")).constData(), 0600), 0);
  for (const QString& path : {Path("pipe.qlln"), QStringLiteral("/dev/null")}) {
    const FileResult result = WriteDocument(path, list);
    EXPECT_FALSE(result.ok()) << path.toStdString();
    EXPECT_NE(result.message.find("not a regular file"), std::string::npos) << result.message;
  }
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(Path("pipe.qlln")).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// An endless stream of zero bytes, like /dev/zero.
class Zeros : public QIODevice {
 public:
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override { return 1 << 16; }

 protected:
  qint64 readData(char* data, qint64 size) override {
    std::memset(data, 0, static_cast<size_t>(size));
    return size;
  }
  qint64 writeData(const char*, qint64) override { return -1; }
};

TEST(DocumentFileFromMemory, DevicesBeyondTheSizeLimitAreRefused) {
  constexpr int64_t kLimit = 1 << 20;
  Zeros endless;
  endless.open(QIODevice::ReadOnly);
  QByteArray large(kLimit + 1, '\0');
  QBuffer file(&large);
  file.open(QIODevice::ReadOnly);
  for (QIODevice* device : std::initializer_list<QIODevice*>{&endless, &file}) {
    ItemList list;
    AddPage(list);
    ScriptedPrompter prompter(PromptAnswer::Yes);
    const FileResult result = ReadDocumentFrom(*device, list, prompter, kLimit);
    EXPECT_EQ(result.status, FileResult::Status::Failed);
    EXPECT_EQ(result.message,
              "The file could not be read. It is larger than 1 MB, more than "
              "Quillon opens.");
    EXPECT_EQ(list.size(), 2u) << "the list keeps its content";
  }
}

TEST(DocumentFileFromMemory, ReadsFromAnyDevice) {
  QByteArray empty;
  QBuffer buffer(&empty);
  buffer.open(QIODevice::ReadOnly);
  ItemList list;
  ScriptedPrompter prompter;
  EXPECT_TRUE(ReadDocumentFrom(buffer, list, prompter).ok());
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace quillon
