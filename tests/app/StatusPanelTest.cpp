// The status bar: the double-click ranges at their edges, the panels' places and texts, the
// grey labels and the single-panel hint mode.

#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "app/StatusPanel.h"

namespace quilmo {
namespace {

struct TActionCase {
  int X;
  std::int64_t ByteCount;
  TStatusAction Action;
};

const std::vector<TActionCase>& ActionCases() {
  using A = TStatusAction;
  static const std::vector<TActionCase> cases = {
      {-1, 5, A::saNone},  {0, 5, A::saGoToLine},   {78, 5, A::saGoToLine},    {0, 0, A::saNone},
      {78, 0, A::saNone},  {79, 5, A::saNone},      {80, 0, A::saLastLine},    {159, 5, A::saLastLine},
      {160, 5, A::saNone}, {255, 5, A::saNone},     {256, 5, A::saInsertMode}, {314, 0, A::saInsertMode},
      {315, 5, A::saNone}, {365, 5, A::saNone},     {366, 5, A::saNumLock},    {401, 5, A::saNumLock},
      {402, 5, A::saNone}, {403, 5, A::saCapsLock}, {462, 0, A::saCapsLock},   {463, 5, A::saNone},
  };
  return cases;
}

TEST(StatusPanelTest, DoubleClickActionsFollowTheXRangesAtTheirEdges) {
  for (const TActionCase& c : ActionCases())
    EXPECT_EQ(StatusActionAt(c.X, c.ByteCount), c.Action) << "x " << c.X << " bytes " << c.ByteCount;
}

TEST(StatusPanelTest, DoubleClicksOnTheWidgetRaiseTheActionAtTheMouse) {
  TStatusPanel panel;
  panel.resize(600, panel.sizeHint().height());
  panel.show();
  std::vector<TStatusAction> raised;
  panel.OnAction = [&raised](TStatusAction action) { raised.push_back(action); };
  for (const TActionCase& c : ActionCases()) {
    if (c.X < 0) continue;
    raised.clear();
    TDocumentStatus status;
    status.ByteCount = c.ByteCount;
    panel.SetDocumentStatus(status);
    const QPoint at(c.X, 5);
    QTest::mouseMove(&panel, at);
    QTest::mouseDClick(&panel, Qt::LeftButton, {}, at);
    EXPECT_EQ(panel.LastMouseX(), c.X);
    const std::vector<TStatusAction> expected =
        c.Action == TStatusAction::saNone ? std::vector<TStatusAction>{} : std::vector{c.Action};
    EXPECT_EQ(raised, expected) << "x " << c.X;
  }
}

TEST(StatusPanelTest, PanelsLieSideBySideAtTheirWidths) {
  const int lefts[] = {0, 80, 160, 255, 315, 365, 402, 439};
  for (int index = 0; index < TStatusPanel::kPanelCount; ++index)
    EXPECT_EQ(TStatusPanel::PanelLeft(index), lefts[index]) << index;
}

struct TTextCase {
  TDocumentStatus Status;
  bool NumLock;
  bool CapsLock;
  std::vector<QString> Texts;  // panels 0 to 3
  std::vector<bool> Lit;       // panels 4 to 6
};

TEST(StatusPanelTest, PanelsShowTheDocumentAndTheStatesThatAreOn) {
  const TTextCase cases[] = {
      {{12, 5, 40, 1234, true, true},
       false,
       true,
       {"12:5", "Total: 40", "Octets: 1234", "Insertion"},
       {true, false, true}},
      {{1, 1, 1, 0, false, false},
       true,
       false,
       {"1:1", "Total: 1", "Octets: 0", "Surfrappe"},
       {false, true, false}},
      {{3, 32768, 70000, 104857600, true, false},
       true,
       true,
       {"3:32768", "Total: 70000", "Octets: 104857600", "Insertion"},
       {false, true, true}},
  };
  for (const TTextCase& c : cases) {
    TStatusPanel panel;
    panel.SetDocumentStatus(c.Status);
    panel.SetLockKeys(c.NumLock, c.CapsLock);
    for (int index = 0; index < 4; ++index) EXPECT_EQ(panel.PanelText(index), c.Texts[index]) << index;
    const QString labels[] = {"Modifié", "Num", "Maj"};
    for (int index = 4; index < 7; ++index) {
      EXPECT_EQ(panel.PanelText(index), labels[index - 4]);
      EXPECT_EQ(panel.PanelLit(index), c.Lit[index - 4]) << index;
    }
  }
}

// Counts the pixels of the label grey in the panel at `index`.
int GreyPixels(const QImage& image, int index) {
  int count = 0;
  const int left = TStatusPanel::PanelLeft(index);
  const int right = left + TStatusPanel::kPanelWidths[static_cast<std::size_t>(index)];
  for (int y = 0; y < image.height(); ++y)
    for (int x = left; x < right; ++x)
      if (image.pixelColor(x, y) == QColor(128, 128, 128)) ++count;
  return count;
}

TEST(StatusPanelTest, LabelsOfStatesThatAreOffAreDrawnGrey) {
  TStatusPanel panel;
  QPalette palette = panel.palette();
  palette.setColor(QPalette::Button, Qt::white);
  palette.setColor(QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Window, Qt::white);
  panel.setPalette(palette);
  panel.resize(500, panel.sizeHint().height());
  const struct {
    bool Modified, NumLock, CapsLock;
  } cases[] = {{false, false, false}, {true, true, true}, {true, false, true}, {false, true, false}};
  for (const auto& c : cases) {
    TDocumentStatus status;
    status.Modified = c.Modified;
    panel.SetDocumentStatus(status);
    panel.SetLockKeys(c.NumLock, c.CapsLock);
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(GreyPixels(image, 4) > 0, !c.Modified);
    EXPECT_EQ(GreyPixels(image, 5) > 0, !c.NumLock);
    EXPECT_EQ(GreyPixels(image, 6) > 0, !c.CapsLock);
  }
}

TEST(StatusPanelTest, AHintTakesTheWholeBarUntilItIsEmpty) {
  const struct {
    const char* Hint;
    const char* Long;
  } hints[] = {
      {"Couper|Supprimer la sélection vers le Presse-papiers",
       "Supprimer la sélection vers le Presse-papiers"},
      {"Créer un nouveau document", "Créer un nouveau document"},
      {"|Sélection du type de tabulations", "Sélection du type de tabulations"},
      {"Ligne|", ""},
      {"a|b|c", "b|c"},
  };
  TStatusPanel panel;
  for (const auto& h : hints) {
    const QString text = LongHint(QString::fromUtf8(h.Hint));
    EXPECT_EQ(text, QString::fromUtf8(h.Long));
    panel.SetHintText(text);
    EXPECT_EQ(panel.SinglePanel(), !text.isEmpty());
    panel.SetHintText({});
    EXPECT_FALSE(panel.SinglePanel());
  }
}

// The wide labels of the first panels are drawn whole: as much ink (dark pixels) as the same
// text drawn alone in its font with room to spare.
TEST(StatusPanelTest, LabelsAreNotCutByTheirPanels) {
  TStatusPanel panel;
  // Frames white on white: only the labels leave ink.
  panel.setPalette(QPalette(Qt::black, Qt::white, Qt::white, Qt::white, Qt::white, Qt::black, Qt::white));
  panel.resize(500, panel.sizeHint().height());
  panel.SetDocumentStatus({1, 1, 9999999, 104857600, false, false});
  const auto ink = [](const QImage& image, int left, int right) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = left; x < right; ++x) count += image.pixelColor(x, y).red() < 128;
    return count;
  };
  const QImage image = panel.grab().toImage();
  for (int index = 1; index < 4; ++index) {
    QImage alone(300, image.height(), QImage::Format_RGB32);
    alone.fill(Qt::white);
    QPainter painter(&alone);
    painter.setFont(panel.LabelFont(index));
    painter.drawText(QPoint(10, panel.fontMetrics().ascent() + TStatusPanel::kLabelTop),
                     panel.PanelText(index));
    painter.end();
    EXPECT_EQ(ink(image, TStatusPanel::PanelLeft(index), TStatusPanel::PanelLeft(index + 1)),
              ink(alone, 0, alone.width()))
        << panel.PanelText(index).toStdString();
  }
}

}  // namespace
}  // namespace quilmo
