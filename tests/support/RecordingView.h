#pragma once
// A paragraph-list view that writes down every notification as a line of text, e.g.
// "CharsInserted 1 3 2 sender" or "ParaDeleted 4".

#include <string>
#include <vector>

#include "engine/ParaListView.h"

namespace quilmo::test {

class TRecordingView : public TParaListView {
 public:
  std::vector<std::string> Calls;

  void ParaDeleted(int para, bool isSender) override { Add("ParaDeleted", {para}, isSender); }
  void CharsDeleted(int para, int pos, int count, bool isSender) override {
    Add("CharsDeleted", {para, pos, count}, isSender);
  }
  void ParaInserted(int para, int pos, int indent, bool isSender) override {
    Add("ParaInserted", {para, pos, indent}, isSender);
  }
  void CharsInserted(int para, int pos, int count, bool isSender) override {
    Add("CharsInserted", {para, pos, count}, isSender);
  }
  void ParasJoined(int para, int pos, bool isSender) override { Add("ParasJoined", {para, pos}, isSender); }
  void TextRewrapped() override { Calls.emplace_back("TextRewrapped"); }
  void ModifiedChanged() override { Calls.emplace_back("ModifiedChanged"); }
  void BusyCursor(bool on) override { Calls.emplace_back(on ? "BusyCursor on" : "BusyCursor off"); }

  // The calls so far, and forget them.
  std::vector<std::string> Take() {
    std::vector<std::string> calls;
    calls.swap(Calls);
    return calls;
  }

 private:
  void Add(const char* name, std::initializer_list<int> args, bool isSender) {
    std::string call = name;
    for (int arg : args) call += ' ' + std::to_string(arg);
    if (isSender) call += " sender";
    Calls.push_back(call);
  }
};

}  // namespace quilmo::test
