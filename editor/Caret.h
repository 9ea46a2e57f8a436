#pragma once
// Caret shapes and the caret of one control.
//
// TCaret describes one shape (kind, alignment in the character cell, size, blink period).
// TSingleCaret shows one TCaret for a control through a TCaretHost (the control's painted
// caret); TCaretPair switches between an insert and an overwrite caret.

#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

namespace quilmo {

enum class TCaretShape { csBlock, csHalfBlock, csVertLine, csHorzLine, csCustom, csBitmap };
enum class TCaretAlign { caLeft, caTop, caRight, caBottom, caCenter };

// An image for a csBitmap caret: Width × Height pixels, row by row, 0xAARRGGBB.
struct TCaretBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  bool IsEmpty() const { return Width <= 0 || Height <= 0; }
  bool operator==(const TCaretBitmap&) const = default;
};

class TSingleCaret;

class TCaret {
 public:
  TCaret() = default;
  TCaret(const TCaret&) = delete;
  TCaret& operator=(const TCaret&) = delete;

  TCaretShape Shape() const { return FShape; }
  // Also sets: csBlock → caLeft; csHalfBlock → caBottom; csVertLine → caLeft and width 2;
  // csHorzLine → caBottom and height 2; csBitmap → the bitmap's size.
  void SetShape(TCaretShape value);
  TCaretAlign Align() const { return FAlign; }
  void SetAlign(TCaretAlign value);
  int CaretHeight() const { return FCaretHeight; }
  void SetCaretHeight(int value);  // values below 1 are ignored
  int CaretWidth() const { return FCaretWidth; }
  void SetCaretWidth(int value);  // values below 1 are ignored
  // Blink period in milliseconds; 0 = the system's.
  std::uint16_t BlinkTime() const { return FBlinkTime; }
  void SetBlinkTime(std::uint16_t value);
  bool IsGray() const { return FIsGray; }
  void SetIsGray(bool value);
  const TCaretBitmap& Bitmap() const { return FBitmap; }
  // Copies the image; an empty image is ignored. With shape csBitmap the size follows it.
  void SetBitmap(const TCaretBitmap& value);
  int BitmapHotSpotX() const { return FHotSpotX; }
  void SetBitmapHotSpotX(int value);
  int BitmapHotSpotY() const { return FHotSpotY; }
  void SetBitmapHotSpotY(int value);

  // Copies every property; the holder hears of it once.
  void Assign(const TCaret& other);

 private:
  friend class TSingleCaret;
  void Changed();

  TCaretShape FShape = TCaretShape::csVertLine;
  TCaretAlign FAlign = TCaretAlign::caLeft;
  int FCaretHeight = 10;
  int FCaretWidth = 2;
  std::uint16_t FBlinkTime = 0;
  bool FIsGray = false;
  TCaretBitmap FBitmap;
  int FHotSpotX = 0;
  int FHotSpotY = 0;
  // The one caret user told of changes (not owned); holders come and go through TSingleCaret.
  TSingleCaret* FHolder = nullptr;
};

// Where the caret is drawn: implemented by the control's host (Qt: a caret painted by the
// widget and blinking on a timer).
class TCaretHost {
 public:
  virtual ~TCaretHost() = default;
  // Make the caret: the bitmap for csBitmap, otherwise CaretWidth × CaretHeight, gray when IsGray.
  virtual void CreateCaret(const TCaret& caret) = 0;
  virtual void DestroyCaret() = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;
  // Top left of the caret; (kCaretHidden, kCaretHidden) parks it out of sight.
  virtual void SetCaretPos(int x, int y) = 0;
  // The blink period in use (ms) and setting it.
  virtual unsigned CaretBlinkTime() = 0;
  virtual void SetCaretBlinkTime(unsigned milliseconds) = 0;
};

inline constexpr int kCaretHidden = INT_MAX;

class TSingleCaret {
 public:
  explicit TSingleCaret(TCaretHost* host = nullptr);
  // Does not call the host (it may be gone already): unlink before the host dies.
  virtual ~TSingleCaret();
  TSingleCaret(const TSingleCaret&) = delete;
  TSingleCaret& operator=(const TSingleCaret&) = delete;

  void SetHost(TCaretHost* host) { FHost = host; }

  // The caret shown. Setting releases the old one and holds the new one (null is ignored).
  const std::shared_ptr<TCaret>& Caret() const { return FCaret; }
  virtual void SetCaret(std::shared_ptr<TCaret> caret);

  int CellWidth() const { return FCellWidth; }
  int CellHeight() const { return FCellHeight; }
  // A change re-creates the caret (unlink, fit, relink as before).
  void SetCellSize(int width, int height);
  void SetCellWidth(int value) { SetCellSize(value, FCellHeight); }
  void SetCellHeight(int value) { SetCellSize(FCellWidth, value); }

  bool Linked() const { return FLinked; }
  // Creates the host's caret (on focus gain) / destroys it (on focus loss).
  void Link();
  void Unlink();

  bool Visible() const { return FVisible; }
  void Show();
  void Hide();

  // The cell's top left; a negative coordinate stores kCaretHidden in both (hidden).
  int X() const { return FX; }
  int Y() const { return FY; }
  bool PositionHidden() const { return FX == kCaretHidden; }
  void SetPosition(int x, int y);

  // Offset of the caret inside the cell, from the alignment (and the bitmap's hot spot).
  int OffsetX() const { return FDx; }
  int OffsetY() const { return FDy; }

  // The x at which to place a caret whose cell starts at `x`: one pixel to the left for a
  // narrow (at most 4 pixels) line-like caret so that it stands just before the character,
  // `x` itself for block, half-block, horizontal-line and wide carets.
  int DrawX(int x) const;

  // Unlink, fit the caret to the cell, relink when it was linked.
  void Recreate();

 protected:
  // A held caret changed; the shown one is re-created.
  void CaretChanged(TCaret& caret);
  void Hold(const std::shared_ptr<TCaret>& caret);
  void Release(const std::shared_ptr<TCaret>& caret);
  // Switches the caret shown without touching the holder links.
  void ShowCaretObject(const std::shared_ptr<TCaret>& caret);

 private:
  friend class TCaret;
  void Fit();
  void MoveHostCaret();

  TCaretHost* FHost;
  std::shared_ptr<TCaret> FCaret;
  int FCellWidth = 10;
  int FCellHeight = 10;
  bool FLinked = false;
  bool FVisible = false;
  int FX = kCaretHidden;
  int FY = kCaretHidden;
  int FDx = 0;
  int FDy = 0;
  unsigned FSavedBlinkTime = 0;
  bool FFitting = false;
};

class TCaretPair : public TSingleCaret {
 public:
  explicit TCaretPair(TCaretHost* host = nullptr);
  ~TCaretPair() override;

  // Insert caret (a default TCaret) and overwrite caret (a TCaret set to csBlock).
  const std::shared_ptr<TCaret>& CaretIns() const { return FCaretIns; }
  void SetCaretIns(std::shared_ptr<TCaret> caret);
  const std::shared_ptr<TCaret>& CaretOvr() const { return FCaretOvr; }
  void SetCaretOvr(std::shared_ptr<TCaret> caret);

  // Insert mode shows CaretIns, overwrite mode CaretOvr.
  bool InsertMode() const { return FInsertMode; }
  void SetInsertMode(bool value);

  // Replaces the caret of the present mode.
  void SetCaret(std::shared_ptr<TCaret> caret) override;

 private:
  std::shared_ptr<TCaret> FCaretIns;
  std::shared_ptr<TCaret> FCaretOvr;
  bool FInsertMode = true;
};

}  // namespace quilmo
