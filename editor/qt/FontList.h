#pragma once
// Fixed-pitch font families of the system, and the editor font as Qt sees it.
//
// "Fixedsys" leads the family list and stands for the system's fixed font wherever no family
// of that name exists.

#include <QFont>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

#include "editor/FixedFont.h"

namespace quilmo {

inline constexpr char kSystemFixedFontName[] = "Fixedsys";

// Families flagged fixed-pitch by the font database, in its order, "Fixedsys" first.
QStringList FixedPitchFamilies();
// Hands FixedPitchFamilies() to TFixedFont; called once after the QApplication exists.
void InstallFixedFontNames();
// The real family for a family name of the list ("Fixedsys" → the system's fixed font,
// DejaVu Sans Mono when the system's choice is not flagged fixed-pitch).
QString ResolveFixedFamily(const QString& name);

// The QFont of an editor font and the metrics painting needs.
class TQtEditorFont {
 public:
  explicit TQtEditorFont(const TFontDesc& desc);

  const QFont& Font() const { return FFont; }
  // Width of one character cell: the advance of 'x' (the average width when that fails).
  int CharWidth() const { return FCharWidth; }
  // Height + external leading + 1.
  int BaseRowHeight() const { return FBaseRowHeight; }
  int Ascent() const { return FAscent; }
  int Height() const { return FHeight; }
  int ExternalLeading() const { return FLeading; }
  // The byte's character is in the font and advances exactly one cell, so a run made only
  // of such characters can be drawn in one call and stays on the grid. Found out the first
  // time a byte is asked about: measuring every glyph up front would load 224 of them each
  // time the font changes, as it does several times while the window starts.
  bool OnGrid(unsigned char byte) const {
    return FOnGrid[byte] == TGrid::Unknown ? MeasureOnGrid(byte) : FOnGrid[byte] == TGrid::On;
  }

 private:
  QFont FFont;
  int FCharWidth = 1;
  int FBaseRowHeight = 1;
  int FAscent = 0;
  int FHeight = 1;
  int FLeading = 0;
  enum class TGrid : std::uint8_t { Unknown, Off, On };
  bool MeasureOnGrid(unsigned char byte) const;

  mutable std::array<TGrid, 256> FOnGrid{};
};

}  // namespace quilmo
