// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_set>

#include "document/PageSetup.h"
#include "document/ReplacingFile.h"

namespace quillon {
namespace {

constexpr int32_t kAxisVertical = 1;
constexpr int32_t kAxisHorizontal = 2;

FileResult Failure(const char* what, const QString& reason) {
  std::string message = what;
  std::string detail = reason.trimmed().toStdString();
  if (!detail.empty()) {
    if (detail.back() != '.') detail += '.';
    message += ' ' + detail;
  }
  return {FileResult::Status::Failed, message, {}};
}

// Reads from a device in large blocks. A file's length is taken once, at the start, so that
// every length read from it is checked against what is left before anything is allocated.
class PayloadReader {
 public:
  explicit PayloadReader(QIODevice& device)
      : device_(device),
        sequential_(device.isSequential()),
        left_(sequential_ ? 0 : std::max<int64_t>(device.size() - device.pos(), 0)) {}

  // Bytes taken from the device so far.
  int64_t consumed() const { return consumed_; }

  int64_t Remaining() const {
    const int64_t buffered = end_ - next_;
    return buffered + (sequential_ ? device_.bytesAvailable() : left_);
  }
  bool failed() const { return failed_; }
  // Whether the file ended inside something it had started.
  bool cutShort() const { return cutShort_; }

  // Fills out with exactly n bytes, or returns false at the end of the file.
  bool ReadExact(uint8_t* out, int64_t n) {
    int64_t done = 0;
    while (done < n) {
      if (next_ == end_ && !Refill()) {
        cutShort_ = cutShort_ || done > 0;
        return false;
      }
      const int64_t take = std::min(n - done, end_ - next_);
      std::memcpy(out + done, buffer_.get() + next_, static_cast<std::size_t>(take));
      next_ += take;
      done += take;
      consumed_ += take;
    }
    return true;
  }

  // A payload of length bytes; false (with the rest of the file consumed) when it is cut short.
  bool Read(int64_t length, std::vector<uint8_t>& out) {
    if (length > Remaining()) return SkipToEnd();
    out.resize(static_cast<std::size_t>(length));
    return ReadExact(out.data(), length);
  }

  // A payload of length bytes, valid until the next call: in place when the block read holds
  // it whole, otherwise gathered into a scratch buffer. Null when it is cut short.
  const uint8_t* Take(int64_t length) {
    if (length <= end_ - next_) {
      const uint8_t* at = buffer_.get() + next_;
      next_ += length;
      consumed_ += length;
      return at;
    }
    if (length > Remaining()) {
      SkipToEnd();
      return nullptr;
    }
    scratch_.resize(static_cast<std::size_t>(length));
    return ReadExact(scratch_.data(), length) ? scratch_.data() : nullptr;
  }

  bool Skip(int64_t length) {
    if (length > Remaining()) return SkipToEnd();
    const int64_t buffered = std::min(length, end_ - next_);
    next_ += buffered;
    consumed_ += buffered;
    length -= buffered;
    if (length == 0) return true;
    if (!sequential_) {
      // What lies beyond the block read is passed over without reading it.
      consumed_ += length;
      left_ -= length;
      return device_.seek(device_.pos() + length);
    }
    while (length > 0) {
      if (!Refill()) {
        cutShort_ = true;
        return false;
      }
      const int64_t take = std::min(length, end_ - next_);
      next_ += take;
      consumed_ += take;
      length -= take;
    }
    return true;
  }

 private:
  // Reads the next block; false at the end of the device or on an error.
  bool Refill() {
    const int64_t want = sequential_ ? kPipeBlock : std::min(kFileBlock, left_);
    if (want <= 0) return false;
    if (capacity_ < want) {
      buffer_ = std::make_unique_for_overwrite<uint8_t[]>(static_cast<std::size_t>(want));
      capacity_ = want;
    }
    const qint64 got = device_.read(reinterpret_cast<char*>(buffer_.get()), want);
    if (got < 0) failed_ = true;
    if (got <= 0) return false;
    next_ = 0;
    end_ = got;
    if (!sequential_) left_ -= got;
    return true;
  }

  bool SkipToEnd() {
    cutShort_ = true;
    next_ = end_;
    if (!sequential_) {
      device_.seek(device_.pos() + left_);
      left_ = 0;
    } else {
      device_.readAll();
    }
    return false;
  }

  static constexpr int64_t kFileBlock = int64_t{1} << 20;
  static constexpr int64_t kPipeBlock = int64_t{1} << 16;
  QIODevice& device_;
  const bool sequential_;
  int64_t left_;  // bytes of a file not yet read into the buffer
  std::unique_ptr<uint8_t[]> buffer_;
  int64_t capacity_ = 0;
  std::vector<uint8_t> scratch_;
  int64_t next_ = 0;  // the first unused byte of the buffer
  int64_t end_ = 0;   // one past the last byte of the buffer
  bool failed_ = false;
  bool cutShort_ = false;
  int64_t consumed_ = 0;
};

FileResult TooLarge(int64_t sizeLimit) {
  return Failure(kCouldNotRead, QStringLiteral("It is larger than %1 MB, more than Quillon opens")
                                    .arg(std::max<int64_t>(sizeLimit >> 20, 1)));
}

std::u16string UnitsFromBytes(const uint8_t* bytes, std::size_t length) {
  std::u16string text(length / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return text;
}

// A text-like payload: applied when below the limit and complete; refused ones are skipped.
void ReadTextPayload(PayloadReader& in, int64_t length, ItemRecord& record) {
  if (length <= 0) return;
  if (length >= kTextPayloadLimit) {
    in.Skip(length);
    return;
  }
  if (const uint8_t* bytes = in.Take(length)) {
    SetText(record, UnitsFromBytes(bytes, static_cast<std::size_t>(length)));
  }
}

void SkipExtraBlock(PayloadReader& in, int64_t length) {
  if (length > 0) in.Skip(length);
}

void ReadPoints(PayloadReader& in, ItemRecord& record) {
  const int64_t length = record.payloadLength();
  if (length <= 0) return;
  const uint8_t* bytes = in.Take(length);
  if (bytes == nullptr) return;
  const std::size_t count = static_cast<std::size_t>(length) / PointEntry::kStoredSize;
  record.points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    record.points.push_back(PointEntry::Load(bytes + i * PointEntry::kStoredSize));
  }
}

int32_t LoadI32(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void ReadAnchors(PayloadReader& in, ItemRecord& record) {
  const int64_t length = record.payloadLength();
  if (length <= 0) return;
  const uint8_t* bytes = in.Take(length);
  if (bytes == nullptr) return;
  for (int64_t i = 0; i + 8 <= length; i += 8) {
    const int32_t axis = LoadI32(bytes + i);
    const AnchorEntry entry{
        .key = 0, .highlighted = 0, .deleted = 0, .position = LoadI32(bytes + i + 4)};
    if (axis == kAxisVertical) record.verticalAnchors.push_back(entry);
    if (axis == kAxisHorizontal) record.horizontalAnchors.push_back(entry);
  }
}

void ReadPictureSource(PayloadReader& in, ItemRecord& record) {
  std::vector<uint8_t> bytes;
  if (record.payloadLength() > 0 && in.Read(record.payloadLength(), bytes)) {
    record.pictureData = std::move(bytes);
  }
  ReadTextPayload(in, record.diagonal(), record);
}

FileResult ReadRecords(QIODevice& device, ItemList& target, Prompter& prompter, int64_t sizeLimit) {
  ItemList fresh(target.screen());
  PayloadReader in(device);
  bool checkMagic = true;
  bool acceptedWrongMagic = false;
  int32_t running = 0;
  uint8_t historySaved = 0;
  int32_t formatVersion = 0;
  ItemRecord::Bytes bytes;
  CutShort whole;
  for (;;) {
    if (!in.cutShort()) whole = {in.consumed(), 0, static_cast<int64_t>(fresh.size())};
    if (!in.ReadExact(bytes.data(), kPersistedSize)) break;
    if (in.consumed() > sizeLimit) return TooLarge(sizeLimit);
    ItemRecord& r = fresh.Append(std::make_unique<ItemRecord>(bytes));
    if (checkMagic && r.magic() != kMagic) {
      const PromptAnswer answer =
          prompter.Ask(kInvalidFileQuestion, PromptStyle::Warning, PromptButtons::YesNo);
      if (answer != PromptAnswer::Yes) return {FileResult::Status::Declined, {}, {}};
      checkMagic = false;
      acceptedWrongMagic = true;
    }
    const int32_t kind = r.kind();
    if (kind == kKindPageSetup) {
      formatVersion = r.formatVersion();
      historySaved = r.historySaved();
      ReadTextPayload(in, r.payloadLength(), r);
      ItemRecord::Bytes cleared = r.persisted();
      cleared[322] = 0;  // a reserved byte that every loaded document starts with cleared
      r.setPersisted(cleared);
      AdaptAfterRead(r, fresh.screen());
      continue;
    }
    if (kind == kKindPictureSource) {
      ReadPictureSource(in, r);
      continue;
    }
    RecomputeFromReal(r, fresh.screen());
    // Setting an item aside is run-time state: a loaded item is always seen and selectable.
    r.setSetAside(0);
    if (kind == kKindText) {
      ReadTextPayload(in, r.payloadLength(), r);
      SkipExtraBlock(in, r.extraLengthA());
      SkipExtraBlock(in, r.extraLengthB());
    } else if (IsPointListKind(kind)) {
      ReadPoints(in, r);
    } else if (kind == kKindAnchors) {
      ReadAnchors(in, r);
    }
    if (historySaved == 0) {
      r.setHistoryState(0);
      r.setReplacesId(0);
      r.setItemId(++running);
    }
  }
  if (in.failed()) return Failure(kCouldNotRead, device.errorString());
  SetModified(fresh, acceptedWrongMagic);
  target.TakeFrom(fresh);
  FileResult result;
  if (in.cutShort()) {
    whole.fileLength = device.isSequential() ? in.consumed() : device.size();
    result.cutShort = whole;
  }
  if (formatVersion > kFormatVersion) {
    prompter.Ask(kNewerVersionWarning, PromptStyle::Warning, PromptButtons::Ok);
  }
  return result;
}

}  // namespace

FileResult ReadDocumentFrom(QIODevice& device, ItemList& target, Prompter& prompter,
                            int64_t sizeLimit) {
  // A file too large to hold is refused before reading, and a device without a known size
  // (a pipe, an endless device) once that much has come from it.
  if (!device.isSequential() && device.size() > sizeLimit) return TooLarge(sizeLimit);
  try {
    return ReadRecords(device, target, prompter, sizeLimit);
  } catch (const std::bad_alloc&) {
    return Failure(kCouldNotRead, QStringLiteral("There is not enough memory to hold it"));
  }
}

FileResult ReadDocument(const QString& path, ItemList& target, Prompter& prompter) {
  // The name is used as given: blanks around it are part of it.
  if (path.isEmpty()) return Failure(kCouldNotRead, QStringLiteral("No file name was given"));
  QFileInfo info(path);
  if (!info.exists()) return Failure(kCouldNotRead, QStringLiteral("The file does not exist"));
  if (info.isDir()) return Failure(kCouldNotRead, QStringLiteral("It is a folder"));
  QFile file(path);
  // The reader reads in large blocks of its own.
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    return Failure(kCouldNotRead, file.errorString());
  }
  return ReadDocumentFrom(file, target, prompter);
}

namespace {

// Buffers the output so that a document of many small records costs few system calls.
class RecordWriter {
 public:
  explicit RecordWriter(QIODevice& device) : device_(device) { buffer_.reserve(kChunk); }

  void Put(const uint8_t* data, std::size_t n) {
    buffer_.insert(buffer_.end(), data, data + n);
    if (buffer_.size() >= kChunk) Flush();
  }
  void PutI32(int32_t v) {
    uint8_t b[4];
    std::memcpy(b, &v, 4);
    Put(b, 4);
  }
  void PutUnits(const std::u16string& text) {
    for (char16_t unit : text) {
      const uint8_t b[2] = {static_cast<uint8_t>(unit & 0xFF), static_cast<uint8_t>(unit >> 8)};
      Put(b, 2);
    }
  }
  bool Flush() {
    if (!ok_ || buffer_.empty()) return ok_;
    const auto size = static_cast<qint64>(buffer_.size());
    errno = 0;
    ok_ = device_.write(reinterpret_cast<const char*>(buffer_.data()), size) == size;
    // The system's error number names the cause where the device knows none (a short write).
    if (!ok_)
      error_ = errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : device_.errorString();
    buffer_.clear();
    return ok_;
  }
  QString error() const { return error_; }

 private:
  static constexpr std::size_t kChunk = 1 << 20;
  QIODevice& device_;
  std::vector<uint8_t> buffer_;
  bool ok_ = true;
  QString error_;
};

FileResult NoPageRecord() {
  return Failure(kCouldNotSave, QStringLiteral("The document has no page setup record"));
}

int32_t ByteLength(std::size_t units, std::size_t unitSize) {
  return ClampToInt32(static_cast<int64_t>(units * unitSize));
}

bool IsWritten(const ItemRecord& r, const std::unordered_set<int32_t>& sourcesInUse) {
  switch (r.recordClass()) {
    case kClassContent:
      return r.hidden() == 0 && r.kind() != kKindDeletionMarker &&
             (r.kind() != kKindText || !r.text().empty());
    case kClassPictureSource:
      return sourcesInUse.contains(r.sourceNumber());
    default:
      return true;
  }
}

void WriteRecordBody(RecordWriter& out, ItemRecord& r) {
  const int32_t kind = r.kind();
  if (kind == kKindPageSetup || kind == kKindText) {
    r.setPayloadLength(ByteLength(r.text().size(), 2));
    if (kind == kKindText) {
      r.setExtraLengthA(0);
      r.setExtraLengthB(0);
    }
    out.Put(r.persisted().data(), kPersistedSize);
    out.PutUnits(r.text());
  } else if (IsPointListKind(kind)) {
    r.setPayloadLength(ByteLength(r.points.size(), PointEntry::kStoredSize));
    out.Put(r.persisted().data(), kPersistedSize);
    uint8_t entry[PointEntry::kStoredSize];
    for (const PointEntry& p : r.points) {
      p.Store(entry);
      out.Put(entry, sizeof entry);
    }
  } else if (kind == kKindAnchors) {
    std::size_t live = 0;
    for (const auto* anchors : {&r.verticalAnchors, &r.horizontalAnchors}) {
      for (const AnchorEntry& a : *anchors)
        live += a.deleted == 0;
    }
    r.setPayloadLength(ByteLength(live, 8));
    out.Put(r.persisted().data(), kPersistedSize);
    for (const AnchorEntry& a : r.verticalAnchors) {
      if (a.deleted != 0) continue;
      out.PutI32(kAxisVertical);
      out.PutI32(a.position);
    }
    for (const AnchorEntry& a : r.horizontalAnchors) {
      if (a.deleted != 0) continue;
      out.PutI32(kAxisHorizontal);
      out.PutI32(a.position);
    }
  } else if (kind == kKindPictureSource) {
    r.setPayloadLength(ByteLength(r.pictureData.size(), 1));
    r.setDiagonal(ByteLength(r.text().size(), 2));
    out.Put(r.persisted().data(), kPersistedSize);
    out.Put(r.pictureData.data(), r.pictureData.size());
    out.PutUnits(r.text());
  } else {
    out.Put(r.persisted().data(), kPersistedSize);
  }
}

// Writes a record with its setAside byte cleared: the file never holds an item set aside by a
// gesture in progress, which no one could see or select after reading it.
void WriteRecord(RecordWriter& out, ItemRecord& r) {
  const uint8_t aside = r.setAside();
  r.setSetAside(0);
  WriteRecordBody(out, r);
  r.setSetAside(aside);
}

}  // namespace

FileResult WriteDocumentTo(QIODevice& device, ItemList& list) {
  ItemRecord* page = FindPageRecord(list);
  if (page == nullptr) return NoPageRecord();
  page->setHistorySaved(0);
  std::unordered_set<int32_t> sourcesInUse;
  for (const ItemRecord& r : list) {
    if (r.kind() == kKindPicture && r.hidden() == 0) sourcesInUse.insert(r.sourceNumber());
  }
  RecordWriter out(device);
  for (ItemRecord& r : list) {
    r.setMagic(kMagic);
    if (r.kind() == kKindPageSetup) {
      // Every page setup record that reaches the file says that no history follows, so a
      // damaged file with several of them cannot keep later records from being renumbered.
      r.setFormatVersion(kFormatVersion);
      r.setHistorySaved(0);
    }
    if (IsWritten(r, sourcesInUse)) WriteRecord(out, r);
  }
  if (!out.Flush()) return Failure(kCouldNotSave, out.error());
  return {};
}

FileResult WriteDocument(const QString& path, ItemList& list) {
  if (FindPageRecord(list) == nullptr) return NoPageRecord();
  ReplacingFile file(path);
  if (!file.Open()) return Failure(kCouldNotSave, file.error());
  FileResult result = WriteDocumentTo(file.file(), list);
  if (!result.ok()) return result;
  if (!file.Commit()) return Failure(kCouldNotSave, file.error());
  SetModified(list, false);
  return {};
}

}  // namespace quillon
