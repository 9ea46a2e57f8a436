#include "FormFixture.h"

namespace quilmo::test {

TAnswer TScriptedPrompter::Ask(QWidget*, TMessageKind kind, const QString& caption, const QString& text,
                               TButtons buttons) {
  Asked.push_back({kind, caption, text, buttons});
  if (Answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return TAnswer::Cancel;
  }
  const TAnswer answer = Answers.front();
  Answers.pop_front();
  return answer;
}

void TScriptedPrompter::Show(QWidget*, TMessageKind kind, const QString& caption, const QString& text) {
  Shown.push_back({kind, caption, text});
}

int TScriptedPrompter::Choose(QWidget*, TMessageKind kind, const QString& caption, const QString& text,
                              const QStringList&, int escape) {
  Asked.push_back({kind, caption, text});
  if (Choices.empty()) {
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return escape;
  }
  const int choice = Choices.front();
  Choices.pop_front();
  return choice;
}

QStringList TScriptedPrompter::OpenFileNames(QWidget*, TFileDialogRequest& request) {
  OpenRequests.push_back(request);
  if (OpenNames.empty()) {
    ADD_FAILURE() << "unexpected Open dialog";
    return {};
  }
  QStringList names = OpenNames.front();
  OpenNames.pop_front();
  return names;
}

QString TScriptedPrompter::SaveFileName(QWidget*, TFileDialogRequest& request) {
  SaveRequests.push_back(request);
  if (SaveNames.empty()) {
    ADD_FAILURE() << "unexpected Save dialog";
    return {};
  }
  QString name = SaveNames.front();
  SaveNames.pop_front();
  return name;
}

bool TRecordingStarter::Start(const QString&, const QStringList& arguments) {
  Started.push_back(arguments);
  if (WhenStarting) WhenStarting();
  return Succeeds;
}

FormFixture::FormFixture() = default;

FormFixture::~FormFixture() {
  Form.reset();
}

QString FormFixture::SettingsPath() const {
  return TempFile("Quilmo.conf");
}

std::unique_ptr<TSettingsStore> FormFixture::OpenStore() const {
  return std::make_unique<TSettingsStore>(SettingsPath());
}

TEditForm& FormFixture::Start(const QStringList& arguments) {
  Form.reset();
  Store = OpenStore();
  TEditFormServices services;
  services.Settings = Store.get();
  services.Prompter = &Prompter;
  services.Starter = &Starter;
  services.Arguments = arguments;
  services.ProgramFile = TempFile("Kel");
  services.JournalFolder = JournalFolder;
  services.FileSystem = FileSystem;
  Form = std::make_unique<TEditForm>(services);
  return *Form;
}

void FormFixture::Stop() {
  if (Form) Form->close();
  Form.reset();
  Store.reset();
}

QString FormFixture::MakeFile(const std::string& name, const std::string& bytes) const {
  WriteFileBytes(Dir.File(name), bytes);
  return TempFile(name);
}

}  // namespace quilmo::test
