#pragma once
// The editor's font: a fixed-pitch family (from the list the toolkit layer supplies), its
// size, style and colour. Text is drawn one character per cell, so only fixed-pitch families
// are accepted.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/Graphics.h"
#include "engine/EditorErrors.h"

namespace quilmo {

class EFixedFontError : public EQuilmoException {
 public:
  using EQuilmoException::EQuilmoException;
};

class EInvalidFixedFont : public EFixedFontError {
 public:
  EInvalidFixedFont() : EFixedFontError("Invalid font assignment. Font must be a fixed font") {}
};

// Font style flags, combined with |.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

// Any font, as a font dialog or the settings describe it.
struct TFontDesc {
  std::string Name;
  int Size = 10;
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  bool operator==(const TFontDesc&) const = default;
};

class TFixedFont {
 public:
  // The fixed-pitch family names, in the toolkit's enumeration order. Set once at start-up
  // by the toolkit layer (editor/qt FontList); fonts created before keep their name.
  static void SetFixedFontNames(std::vector<std::string> names);
  static const std::vector<std::string>& FixedFontNames();
  static bool IsFixedFontName(const std::string& name);

  // Takes the first name of the list ("" when the list is empty).
  TFixedFont();
  TFixedFont(const TFixedFont&) = delete;
  TFixedFont& operator=(const TFixedFont&) = delete;

  const std::string& Name() const { return FDesc.Name; }
  // Only a name of the list (exact comparison) is taken; any other is ignored.
  void SetName(const std::string& value);
  int Size() const { return FDesc.Size; }
  void SetSize(int value);  // values below 1 are ignored
  TFontStyles Style() const { return FDesc.Style; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return FDesc.Color; }
  void SetColor(TColor value);

  const TFontDesc& Desc() const { return FDesc; }

  // Copies the other font; a name no longer in the list is not taken (this name stays).
  void Assign(const TFixedFont& other);
  // Copies a plain font. A name outside the list raises EInvalidFixedFont and leaves this
  // font entirely unchanged.
  void Assign(const TFontDesc& plain);

  std::function<void(TFixedFont& sender)> OnChange;

 private:
  void SetDesc(const TFontDesc& desc);

  TFontDesc FDesc;
};

}  // namespace quilmo
