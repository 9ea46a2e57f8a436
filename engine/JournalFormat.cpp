// Encoding and reading of the recovery journal's records.

#include "engine/JournalFormat.h"

#include <array>
#include <bit>
#include <cstring>

#include "engine/ParaList.h"

namespace quilmo {
namespace {

// A record larger than this is taken for damage (the largest real one is a base copy).
constexpr std::uint32_t kMaxPayload = 64u << 20;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void Put32(std::string& out, std::uint32_t v) {
  const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                         static_cast<char>(v >> 24)};
  out.append(bytes, 4);
}

void Put64(std::string& out, std::uint64_t v) {
  Put32(out, static_cast<std::uint32_t>(v));
  Put32(out, static_cast<std::uint32_t>(v >> 32));
}

// Opens a record: reserves its length and writes the type; returns where the payload starts.
std::size_t BeginRecord(std::string& out, TJournalRecord type) {
  Put32(out, 0);
  const std::size_t start = out.size();
  out.push_back(static_cast<char>(type));
  return start;
}

// Fills in the length and appends the checksum.
void EndRecord(std::string& out, std::size_t start) {
  const auto length = static_cast<std::uint32_t>(out.size() - start);
  for (int i = 0; i < 4; ++i) out[start - 4 + i] = static_cast<char>(length >> (8 * i));
  Put32(out, Crc32(std::string_view(out).substr(start)));
}

// Reads the fields of one payload; any read past its end makes it unsound.
class TFieldReader {
 public:
  explicit TFieldReader(std::string_view bytes) : bytes_(bytes) {}

  std::uint32_t U32() {
    if (!Need(4)) return 0;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes_[at_ + i]);
    at_ += 4;
    return v;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::uint64_t U64() {
    const std::uint64_t low = U32();
    return low | (std::uint64_t{U32()} << 32);
  }
  std::string_view Bytes(std::size_t n) {
    if (!Need(n)) return {};
    const std::string_view v = bytes_.substr(at_, n);
    at_ += n;
    return v;
  }
  std::string_view Rest() { return Bytes(bytes_.size() - at_); }
  bool Sound() const { return sound_; }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  bool Need(std::size_t n) {
    if (bytes_.size() - at_ < n) sound_ = false;
    return sound_;
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
  bool sound_ = true;
};

bool ReadBase(TFieldReader& in, TJournalBase& base) {
  base.FileSize = in.U64();
  base.FileTime = static_cast<std::int64_t>(in.U64());
  base.TextHash = in.U64();
  base.ParaCount = in.I32();
  base.ByteCount = in.I32();
  base.StartTime = static_cast<std::int64_t>(in.U64());
  base.FileName = in.Bytes(in.U32());
  return in.Sound() && in.AtEnd() && base.ParaCount >= 1 && base.ByteCount >= 0;
}

bool ReadCopy(TFieldReader& in, std::vector<std::string>& copy) {
  const std::uint32_t count = in.U32();
  if (count == 0 || count > kMaxPayload / 4) return false;
  copy.reserve(count);
  for (std::uint32_t i = 0; i < count && in.Sound(); ++i) {
    const std::uint32_t length = in.U32();
    if (length > static_cast<std::uint32_t>(kMaxParaLength)) return false;
    copy.emplace_back(in.Bytes(length));
  }
  return in.Sound() && in.AtEnd();
}

bool ValidParaLength(std::size_t n) {
  return n <= static_cast<std::size_t>(kMaxParaLength);
}

bool ReadChange(TJournalRecord type, TFieldReader& in, TJournalChange& change) {
  change.Type = type;
  switch (type) {
    case TJournalRecord::jrInsertText:
      change.Para = in.I32();
      change.Pos = in.I32();
      change.Text = in.Rest();
      change.Count = static_cast<std::int32_t>(change.Text.size());
      return in.Sound() && change.Para >= 1 && change.Pos >= 1 && change.Count >= 1 &&
             ValidParaLength(change.Text.size());
    case TJournalRecord::jrDeleteText:
      change.Para = in.I32();
      change.Pos = in.I32();
      change.Count = in.I32();
      return in.Sound() && in.AtEnd() && change.Para >= 1 && change.Pos >= 1 && change.Count >= 1;
    case TJournalRecord::jrReplaceText:
      change.Para = in.I32();
      change.Pos = in.I32();
      change.Count = in.I32();
      change.Text = in.Rest();
      return in.Sound() && change.Para >= 1 && change.Pos >= 1 && change.Count >= 0 &&
             ValidParaLength(change.Text.size());
    case TJournalRecord::jrInsertPara:
      change.Para = in.I32();
      change.Text = in.Rest();
      return in.Sound() && change.Para >= 1 && ValidParaLength(change.Text.size());
    case TJournalRecord::jrDeletePara:
      change.Para = in.I32();
      return in.Sound() && in.AtEnd() && change.Para >= 1;
    case TJournalRecord::jrCheckpoint:
      change.Time = static_cast<std::int64_t>(in.U64());
      change.Para = in.I32();
      change.Pos = in.I32();
      return in.Sound() && in.AtEnd() && change.Para >= 1 && change.Pos >= 0;
    case TJournalRecord::jrBase:
    case TJournalRecord::jrBaseCopy: break;
  }
  return false;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (char b : bytes) c = kCrcTable[(c ^ static_cast<unsigned char>(b)) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void TJournalTextHasher::Add(const char* text, std::size_t length, std::size_t readable) {
  // Eight bytes at a time, each paragraph led by its length so that boundaries count; the
  // last word is the remaining bytes followed by zeros.
  Mix(0x100000000ull | length);
  std::size_t at = 0;
  for (; at + 8 <= length; at += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text + at, 8);
    Mix(word);
  }
  if (at == length) return;
  const std::size_t tail = length - at;
  std::uint64_t word = 0;
  if (std::endian::native == std::endian::little && at + 8 <= readable) {
    // One whole word, the bytes behind the text masked off (the word's high bytes).
    std::memcpy(&word, text + at, 8);
    word &= ~std::uint64_t{0} >> (64 - 8 * tail);
  } else {
    std::memcpy(&word, text + at, tail);
  }
  Mix(word);
}

std::uint64_t JournalTextHash(TParaList& list) {
  // The paragraphs in order through their links: a lookup by number for each would cost more
  // than the hashing itself on a large text.
  TJournalTextHasher hasher;
  for (const TParaNode* node = list.GetPara(1); node != nullptr; node = node->Next()) {
    // A text buffer always reaches a multiple of eight bytes past its last character.
    const auto length = static_cast<std::size_t>(node->Length());
    hasher.Add(node->Text(), length, length == 0 ? 0 : static_cast<std::size_t>(node->Capacity()));
  }
  return hasher.Value();
}

void AppendBaseRecord(std::string& out, const TJournalBase& base) {
  const std::size_t start = BeginRecord(out, TJournalRecord::jrBase);
  Put64(out, base.FileSize);
  Put64(out, static_cast<std::uint64_t>(base.FileTime));
  Put64(out, base.TextHash);
  Put32(out, static_cast<std::uint32_t>(base.ParaCount));
  Put32(out, static_cast<std::uint32_t>(base.ByteCount));
  Put64(out, static_cast<std::uint64_t>(base.StartTime));
  Put32(out, static_cast<std::uint32_t>(base.FileName.size()));
  out += base.FileName;
  EndRecord(out, start);
}

void AppendCopyRecord(std::string& out, TParaList& list) {
  const std::size_t start = BeginRecord(out, TJournalRecord::jrBaseCopy);
  const std::int32_t count = list.ParaCount();
  Put32(out, static_cast<std::uint32_t>(count));
  for (std::int32_t i = 1; i <= count; ++i) {
    const TParaNode* node = list.GetPara(i);
    Put32(out, static_cast<std::uint32_t>(node->Length()));
    out.append(node->Text(), static_cast<std::size_t>(node->Length()));
  }
  EndRecord(out, start);
}

void AppendChangeRecord(std::string& out, TJournalRecord type, std::int32_t para, std::int32_t pos,
                        std::int32_t count, std::string_view text) {
  const std::size_t start = BeginRecord(out, type);
  Put32(out, static_cast<std::uint32_t>(para));
  if (type != TJournalRecord::jrInsertPara && type != TJournalRecord::jrDeletePara) {
    Put32(out, static_cast<std::uint32_t>(pos));
    if (type == TJournalRecord::jrDeleteText || type == TJournalRecord::jrReplaceText)
      Put32(out, static_cast<std::uint32_t>(count));
  }
  out += text;
  EndRecord(out, start);
}

void AppendCheckpointRecord(std::string& out, std::int64_t time, std::int32_t paraCount,
                            std::int32_t byteCount) {
  const std::size_t start = BeginRecord(out, TJournalRecord::jrCheckpoint);
  Put64(out, static_cast<std::uint64_t>(time));
  Put32(out, static_cast<std::uint32_t>(paraCount));
  Put32(out, static_cast<std::uint32_t>(byteCount));
  EndRecord(out, start);
}

bool IsJournalWithoutRecords(std::string_view bytes) {
  return bytes.size() <= kJournalSignature.size() && kJournalSignature.starts_with(bytes);
}

TJournalContents ReadJournal(std::string_view bytes) {
  TJournalContents result;
  if (bytes.substr(0, kJournalSignature.size()) != kJournalSignature) return result;
  std::size_t at = kJournalSignature.size();
  std::size_t records = 0;
  TJournalState state = TJournalState::jsComplete;
  while (at < bytes.size()) {
    TFieldReader frame(bytes.substr(at));
    const std::uint32_t length = frame.U32();
    if (length == 0 || length > kMaxPayload) {
      state = frame.Sound() ? TJournalState::jsDamaged : TJournalState::jsCutShort;
      break;
    }
    const std::string_view payload = frame.Bytes(length);
    const std::uint32_t crc = frame.U32();
    if (!frame.Sound()) {
      state = TJournalState::jsCutShort;
      break;
    }
    if (crc != Crc32(payload)) {
      state = TJournalState::jsDamaged;
      break;
    }
    const auto type = static_cast<TJournalRecord>(static_cast<unsigned char>(payload[0]));
    TFieldReader in(payload.substr(1));
    bool sound = false;
    if (records == 0) {
      sound = type == TJournalRecord::jrBase && ReadBase(in, result.Base);
      if (sound) result.LastChangeTime = result.Base.StartTime;
    } else if (type == TJournalRecord::jrBaseCopy) {
      sound = records == 1 && ReadCopy(in, result.Copy);
      result.HasCopy = sound;
    } else if (type != TJournalRecord::jrBase) {
      TJournalChange change;
      sound = ReadChange(type, in, change);
      if (sound) {
        if (type == TJournalRecord::jrCheckpoint) result.LastChangeTime = change.Time;
        result.Changes.push_back(std::move(change));
      }
    }
    if (!sound) {
      state = TJournalState::jsDamaged;
      break;
    }
    ++records;
    at += 8 + length;
    result.SoundBytes = at;
  }
  if (!result.HasCopy) result.Copy.clear();
  std::size_t synced = result.Changes.size();
  while (synced > 0 && result.Changes[synced - 1].Type != TJournalRecord::jrCheckpoint) --synced;
  result.ChangesLeftOut = result.Changes.size() - synced;
  result.Changes.resize(synced);
  result.State = records == 0 ? TJournalState::jsUnreadable : state;
  return result;
}

}  // namespace quilmo
