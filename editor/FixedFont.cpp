#include "editor/FixedFont.h"

#include <algorithm>
#include <utility>

namespace quilmo {

namespace {
std::vector<std::string>& Names() {
  static std::vector<std::string> names;
  return names;
}
}  // namespace

void TFixedFont::SetFixedFontNames(std::vector<std::string> names) {
  Names() = std::move(names);
}

const std::vector<std::string>& TFixedFont::FixedFontNames() {
  return Names();
}

bool TFixedFont::IsFixedFontName(const std::string& name) {
  const auto& names = Names();
  return std::find(names.begin(), names.end(), name) != names.end();
}

TFixedFont::TFixedFont() {
  if (!Names().empty()) FDesc.Name = Names().front();
}

void TFixedFont::SetDesc(const TFontDesc& desc) {
  if (desc == FDesc) return;
  FDesc = desc;
  if (OnChange) OnChange(*this);
}

void TFixedFont::SetName(const std::string& value) {
  if (!IsFixedFontName(value)) return;
  TFontDesc desc = FDesc;
  desc.Name = value;
  SetDesc(desc);
}

void TFixedFont::SetSize(int value) {
  if (value < 1) return;
  TFontDesc desc = FDesc;
  desc.Size = value;
  SetDesc(desc);
}

void TFixedFont::SetStyle(TFontStyles value) {
  TFontDesc desc = FDesc;
  desc.Style = value;
  SetDesc(desc);
}

void TFixedFont::SetColor(TColor value) {
  TFontDesc desc = FDesc;
  desc.Color = value;
  SetDesc(desc);
}

void TFixedFont::Assign(const TFixedFont& other) {
  if (&other == this) return;
  TFontDesc desc = other.FDesc;
  if (!IsFixedFontName(desc.Name)) desc.Name = FDesc.Name;  // keep a name of the list
  SetDesc(desc);
}

void TFixedFont::Assign(const TFontDesc& plain) {
  if (!IsFixedFontName(plain.Name)) throw EInvalidFixedFont();
  TFontDesc desc = plain;
  if (desc.Size < 1) desc.Size = FDesc.Size;
  SetDesc(desc);
}

}  // namespace quilmo
