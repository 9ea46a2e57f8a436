#pragma once
// Printing the document as plain text: the lines of the whole text or of the selection, as the
// editor shows them (display lines, tabs expanded), written one under the other in the
// editor's font, a new page when a line no longer fits.

#include <string>
#include <vector>

#include "editor/FixedFont.h"

class QPrintDialog;
class QPrinter;

namespace quilmo {

class TCustomEditor;

// Characters printed of one line at most; the rest of a longer line is not printed.
inline constexpr int kPrintLineLimit = 1024;

enum class TPrintRange { All, Selection };

// The lines a print job writes. For the selection (the whole text when there is none): its
// display lines, the first blanked before the selection's start column so that the text keeps
// its place, the last cut at the selection's end column. Columns are taken on the screen, so a
// TAB before the selection moves nothing.
std::vector<std::string> PrintLines(TCustomEditor& editor, TPrintRange range);

// The print dialog of the print command: the selection offered as range only when one exists,
// never page ranges or the current page; the whole text preselected.
void ConfigurePrintDialog(QPrintDialog& dialog, bool hasSelection);
// The range the user chose in that dialog.
TPrintRange ChosenRange(const QPrinter& printer);

// Writes the lines (document bytes) as a job named jobName in the font: a line wider than the
// page goes on over the next rows, so that nothing of it is lost at the paper's edge. Raises
// EQuilmoException with a French message when the printer cannot be used.
void PrintTextLines(QPrinter& printer, const std::vector<std::string>& lines, const TFontDesc& font,
                    const std::string& jobName);

// The print command's work after its dialog: the chosen range of the editor's text in its font.
void PrintDocument(TCustomEditor& editor, QPrinter& printer, const std::string& jobName);

}  // namespace quilmo
