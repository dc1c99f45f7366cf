// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FontList.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>
#include <QSet>
#include <bit>

#include "settings/ValueLists.h"

namespace quillon {
namespace {

constexpr int kFontNameLength = 32;

// Letters that only a font made for the code page has, probed in the family's Latin face:
// Qt reports every Latin script as one writing system.
constexpr char16_t kCentralEuropean[] = {0x0150, 0x0151, 0x0141, 0x010C, 0x0158};
constexpr char16_t kTurkish[] = {0x011E, 0x015E, 0x0130, 0x0131};
constexpr char16_t kBaltic[] = {0x0116, 0x0172, 0x0100, 0x012A, 0x0145};

template <std::size_t N>
bool HasAll(const QRawFont& font, const char16_t (&letters)[N]) {
  for (char16_t c : letters) {
    if (!font.supportsCharacter(QChar(c))) return false;
  }
  return true;
}

uint32_t Bit(int n) {
  return uint32_t{1} << n;
}

// Writing systems to code-page bits. Korean stands for both Korean code pages; Qt has no writing
// system for the Macintosh code page (bit 29), which therefore is never set.
uint32_t SignatureOf(const QString& family) {
  uint32_t signature = 0;
  for (QFontDatabase::WritingSystem system : QFontDatabase::writingSystems(family)) {
    switch (system) {
      case QFontDatabase::Latin: {
        signature |= Bit(0);
        const QRawFont face = QRawFont::fromFont(QFont(family), QFontDatabase::Latin);
        if (!face.isValid()) break;
        if (HasAll(face, kCentralEuropean)) signature |= Bit(1);
        if (HasAll(face, kTurkish)) signature |= Bit(4);
        if (HasAll(face, kBaltic)) signature |= Bit(7);
        break;
      }
      case QFontDatabase::Cyrillic:
        signature |= Bit(2);
        break;
      case QFontDatabase::Greek:
        signature |= Bit(3);
        break;
      case QFontDatabase::Hebrew:
        signature |= Bit(5);
        break;
      case QFontDatabase::Arabic:
        signature |= Bit(6);
        break;
      case QFontDatabase::Vietnamese:
        signature |= Bit(8);
        break;
      case QFontDatabase::Thai:
        signature |= Bit(16);
        break;
      case QFontDatabase::Japanese:
        signature |= Bit(17);
        break;
      case QFontDatabase::SimplifiedChinese:
        signature |= Bit(18);
        break;
      case QFontDatabase::Korean:
        signature |= Bit(19) | Bit(21);
        break;
      case QFontDatabase::TraditionalChinese:
        signature |= Bit(20);
        break;
      case QFontDatabase::Symbol:
        signature |= Bit(31);
        break;
      default:
        break;
    }
  }
  return signature;
}

int32_t CharsetOf(uint32_t signature) {
  if (signature == 0) return 0;
  const int lowest = std::countr_zero(signature);
  for (int i = 0; CharacterSetValue(i) >= 0; ++i) {
    if (SignatureBitOf(CharacterSetValue(i)) == lowest) return CharacterSetValue(i);
  }
  return 0;
}

}  // namespace

QString FontListName(const QString& family) {
  QString name = family.trimmed();
  if (name.size() > kFontNameLength) {
    name.truncate(name.at(kFontNameLength - 1).isHighSurrogate() ? kFontNameLength - 1
                                                                 : kFontNameLength);
  }
  return name;
}

namespace {

// "Nimbus Sans [urw]" without its foundry tag; a name without one as it is.
QString WithoutFoundry(const QString& family) {
  const QString name = family.trimmed();
  if (!name.endsWith(u']')) return name;
  const qsizetype open = name.lastIndexOf(QStringLiteral(" ["));
  return open > 0 ? name.left(open).trimmed() : name;
}

}  // namespace

std::vector<FontEntry> MergeFoundries(const std::vector<FontEntry>& families) {
  // Whether the foundries of each plain name agree on what they support.
  QHash<QString, uint32_t> firstSignature;
  QHash<QString, bool> differ;
  for (const FontEntry& family : families) {
    const QString plain = WithoutFoundry(family.name);
    const auto seen = firstSignature.constFind(plain);
    if (seen == firstSignature.cend()) {
      firstSignature.insert(plain, family.signature);
    } else if (*seen != family.signature) {
      differ.insert(plain, true);
    }
  }
  std::vector<FontEntry> listed;
  QSet<QString> names;
  for (const FontEntry& family : families) {
    const QString plain = WithoutFoundry(family.name);
    FontEntry entry = family;
    entry.name = FontListName(differ.value(plain) ? family.name : plain);
    if (entry.name.isEmpty() || names.contains(entry.name)) continue;
    names.insert(entry.name);
    listed.push_back(std::move(entry));
  }
  return listed;
}

void EnumerateFonts(TParams& params) {
  params.fonts.clear();
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
  std::vector<FontEntry> families;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family) || !QFontDatabase::isScalable(family)) continue;
    FontEntry entry;
    entry.name = family;
    entry.signature = SignatureOf(family);
    entry.charset = CharsetOf(entry.signature);
    families.push_back(std::move(entry));
  }
  params.fonts = MergeFoundries(families);
}

}  // namespace quillon
