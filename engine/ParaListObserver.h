#pragma once
// What the paragraph list tells an observer that records the text's changes (the recovery
// journal). Unlike the views, the observer hears every change of the text, also inside
// compound edits, undo and redo, in the order they happen, and each call carries what the
// change did: applying the calls in order to the text before them gives the text after them.

#include <cstdint>

namespace quilmo {

class TParaListObserver {
 public:
  virtual ~TParaListObserver() = default;

  // `count` characters now stand at `pos` of `para` (blanks added in front of them included).
  virtual void TextInserted(std::int32_t para, std::int32_t pos, const char* text, std::int32_t count) = 0;
  virtual void TextDeleted(std::int32_t para, std::int32_t pos, std::int32_t count) = 0;
  // `oldLength` characters at `pos` of `para` were replaced by `newLength` characters.
  virtual void TextReplaced(std::int32_t para, std::int32_t pos, std::int32_t oldLength, const char* text,
                            std::int32_t newLength) = 0;
  // A paragraph of `count` characters is now paragraph `para`.
  virtual void ParaInserted(std::int32_t para, const char* text, std::int32_t count) = 0;
  virtual void ParaDeleted(std::int32_t para) = 0;
  // The list is being destroyed: the observer must not use it any more.
  virtual void ListDestroyed() = 0;
};

}  // namespace quilmo
