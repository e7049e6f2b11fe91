#pragma once

#include <string>

#include "about/about_view.h"
#include "platform/desktop.h"

namespace tagsmit {

// frmAbout: title, version and description of the program.
class AboutForm {
 public:
  // `owner` is the settings window, put back on top when this one closes.
  AboutForm(AboutView& view, WindowView& owner, ProgramIdentity identity);

  // Loads the texts and runs the window modally until it closes.
  void Open();

  void Form_Load();
  void cmdOK_Click();  // OK, Enter or Esc
  void Form_Click();   // a click on the bare background

 private:
  AboutView& view_;
  WindowView& owner_;
  ProgramIdentity identity_;
};

// The texts Form_Load shows, from the program's title and version.
std::string AboutCaption(const ProgramIdentity& identity);
std::string AboutVersionLine(const ProgramIdentity& identity);
std::string AboutTitleLine(const ProgramIdentity& identity);
std::string AboutDescription();

}  // namespace tagsmit
