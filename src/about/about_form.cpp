#include "about/about_form.h"

#include <utility>

#include "about/about_texts.h"

namespace tagsmit {

AboutForm::AboutForm(AboutView& view, WindowView& owner, ProgramIdentity identity)
    : view_(view), owner_(owner), identity_(std::move(identity)) {}

void AboutForm::Open() {
  Form_Load();
  view_.RunModal(*this);
}

void AboutForm::Form_Load() {
  view_.SetCaption(AboutCaption(identity_));
  view_.SetText(AboutControl::lblVersion, AboutVersionLine(identity_));
  view_.SetText(AboutControl::lblTitle, AboutTitleLine(identity_));
  view_.SetText(AboutControl::txtDescription, AboutDescription());
}

void AboutForm::cmdOK_Click() {
  view_.Close();
  SetTopMost(owner_);
}

void AboutForm::Form_Click() {
  cmdOK_Click();
}

std::string AboutCaption(const ProgramIdentity& identity) {
  return identity.title + about_text::kCaptionSuffix;
}

std::string AboutVersionLine(const ProgramIdentity& identity) {
  return about_text::kVersionPrefix + VersionNumber(identity);
}

std::string AboutTitleLine(const ProgramIdentity& identity) {
  return identity.title + about_text::kTitleSuffix;
}

std::string AboutDescription() {
  std::string text = std::string{about_text::kThanks} + "\n";
  for (const char* piece : about_text::kPieces) text += piece;
  return text;
}

}  // namespace tagsmit
