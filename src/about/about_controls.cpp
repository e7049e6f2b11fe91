#include "about/about_controls.h"

#include "about/about_texts.h"

namespace tagsmit {
namespace {

using enum AboutControl;
using enum ControlKind;

// OK comes first, so that Tab starts there and goes on to the description.
const std::vector<AboutControlSpec> kAboutControls = {
    // OK, Enter and Esc all close the window.
    {cmdOK,
     {"cmdOK", CommandButton, about_text::kOk, "", {3720, 2160, 1310, 345}},
     {.is_default = true, .is_cancel = true},
     ControlEvent::Click,
     [](AboutForm& form, int) { form.cmdOK_Click(); }},
    {picIcon, {"picIcon", Picture, "", "", {240, 240, 540, 540}, {}, ControlPicture::ProgramIcon}},
    {lblTitle, {"lblTitle", Label, "", "", {1050, 240, 2925, 240}, {.points = 12, .bold = true}}},
    {lblVersion, {"lblVersion", Label, "", "", {1080, 480, 1725, 225}}},
    {txtDescription, {"txtDescription", ReadOnlyText, "", "", {1080, 720, 4125, 1347}}},
};

}  // namespace

const AboutWindowSpec kAboutWindow{{5430, 2595}, kAboutControls};

}  // namespace tagsmit
