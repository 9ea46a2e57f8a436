#pragma once
// Small settings objects of the editor's look: the highlight colours, the two margin lines
// and the four borders. Each tells its owner about effective changes.

#include <functional>

#include "editor/Graphics.h"

namespace quilmo {

// Colours of selected text.
class TColors {
 public:
  static constexpr TColor kDefaultTextColor = clHighlightText;
  static constexpr TColor kDefaultBackColor = clHighlight;

  TColor TextColor() const { return FTextColor; }
  // A value other than the default clears UseDefault.
  void SetTextColor(TColor value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor value);
  bool UseDefault() const { return FUseDefault; }
  // True restores both default colours.
  void SetUseDefault(bool value);

  void Assign(const TColors& other);

  std::function<void(TColors& sender)> OnChange;

 private:
  void Changed();

  TColor FTextColor = kDefaultTextColor;
  TColor FBackColor = kDefaultBackColor;
  bool FUseDefault = true;
};

// The margin on one side of the text: its width and the optional line drawn at that distance.
class TEditorMargin {
 public:
  explicit TEditorMargin(int linePosition = 15) : FLinePosition(linePosition) {}

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  int LinePosition() const { return FLinePosition; }
  void SetLinePosition(int value);
  int LineWeight() const { return FLineWeight; }
  void SetLineWeight(int value);
  TPenStyle LineStyle() const { return FLineStyle; }
  void SetLineStyle(TPenStyle value);
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor value);

  // Copies the values; notifies once when anything changed.
  void Assign(const TEditorMargin& other);

  // `layoutChanged` is true for Enabled, LinePosition and LineWeight (the text area moves),
  // false for style and colour (a repaint is enough).
  std::function<void(TEditorMargin& sender, bool layoutChanged)> OnChange;

 private:
  void Changed(bool layoutChanged);

  bool FEnabled = false;
  int FLinePosition;
  int FLineWeight = 1;
  TPenStyle FLineStyle = TPenStyle::psSolid;
  TColor FLineColor = clBlack;
};

class TEditorMargins {
 public:
  TEditorMargins();
  TEditorMargins(const TEditorMargins&) = delete;
  TEditorMargins& operator=(const TEditorMargins&) = delete;

  TEditorMargin& Left() { return FLeft; }
  const TEditorMargin& Left() const { return FLeft; }
  TEditorMargin& Right() { return FRight; }
  const TEditorMargin& Right() const { return FRight; }

  void Assign(const TEditorMargins& other);

  // Raised for a change of either side, with the side's layout flag.
  std::function<void(TEditorMargins& sender, bool layoutChanged)> OnChange;

 private:
  TEditorMargin FLeft{15};
  TEditorMargin FRight{5};
};

enum class TBorderPenStyle { bpsSolid };

// One side's border line.
class TBorder {
 public:
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  TColor PenColor() const { return FPenColor; }
  void SetPenColor(TColor value);
  int PenWidth() const { return FPenWidth; }
  // Values below 1 are ignored.
  void SetPenWidth(int value);
  TPenStyle PenStyle() const { return FPenStyle; }
  void SetPenStyle(TPenStyle value);
  TBorderPenStyle BorderStyle() const { return TBorderPenStyle::bpsSolid; }

  void Assign(const TBorder& other);

  std::function<void(TBorder& sender)> OnChange;

 private:
  void Changed();

  bool FEnabled = false;
  TColor FPenColor = clBlack;
  int FPenWidth = 2;
  TPenStyle FPenStyle = TPenStyle::psSolid;
};

class TBorders {
 public:
  TBorders();
  TBorders(const TBorders&) = delete;
  TBorders& operator=(const TBorders&) = delete;

  TBorder& LeftBorder() { return FLeft; }
  const TBorder& LeftBorder() const { return FLeft; }
  TBorder& RightBorder() { return FRight; }
  const TBorder& RightBorder() const { return FRight; }
  TBorder& TopBorder() { return FTop; }
  const TBorder& TopBorder() const { return FTop; }
  TBorder& BottomBorder() { return FBottom; }
  const TBorder& BottomBorder() const { return FBottom; }

  bool AnyEnabled() const;
  void Assign(const TBorders& other);

  // Raised after a change of any border.
  std::function<void(TBorders& sender)> OnChange;

 private:
  TBorder FLeft, FRight, FTop, FBottom;
};

}  // namespace quilmo
