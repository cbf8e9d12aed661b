// SPDX-License-Identifier: GPL-3.0-or-later
// The detail window's buttons and the keys of a picture viewer: step, zoom and close.
#include "host/form_image.h"

namespace tv {

namespace {

using C = Commands<FormImage>;
using F = FormImage;

// clang-format off
constexpr Command<FormImage> kDetailCommands[] = {
    C::Button("Cmd", "", "", &F::SaveShownPicture).Text("保存(&S)").In(&F::buttons, 0),
    C::Button("Cmd", "", "", &F::PreviousPicture).Text("上一幅(&U)").In(&F::buttons, 1),
    C::Button("Cmd", "", "", &F::NextPicture).Text("下一幅(&N)").In(&F::buttons, 2),
    C::Button("Cmd", "", "", &F::OpenPictureAddress).Text("网址(&H)").In(&F::buttons, 3),
    C::Button("Cmd", "", "", &F::ZoomIn).Text("放大(&B)").In(&F::buttons, 4),
    C::Button("Cmd", "", "", &F::ZoomOut).Text("缩小(&M)").In(&F::buttons, 5),
    C::Key("Right", &F::NextPicture),
    C::Key("Page_Down", &F::NextPicture),
    C::Key("space", &F::NextPicture),
    C::Key("Left", &F::PreviousPicture),
    C::Key("Page_Up", &F::PreviousPicture),
    C::Key("BackSpace", &F::PreviousPicture),
    C::Key("plus", &F::ZoomIn),
    C::Key("equal", &F::ZoomIn),
    C::Key("KP_Add", &F::ZoomIn),
    C::Key("minus", &F::ZoomOut),
    C::Key("KP_Subtract", &F::ZoomOut),
    C::Key("Escape", &F::Close),
};
// clang-format on

}  // namespace

void FormImage::CreateCommands() {
  AddCommands(*this, kDetailCommands);
}

}  // namespace tv
