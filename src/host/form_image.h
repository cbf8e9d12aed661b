// SPDX-License-Identifier: GPL-3.0-or-later
// FormImage: one web picture at full size on a black page of its own. The user steps
// through the pictures found on the page, zooms, saves the picture and opens its address.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/form.h"

namespace tv {

class Application;

inline constexpr const char* kDetailPage = "c:\\img.htm";

// The page showing one picture address (escaped, so an address cannot add markup).
std::string DetailPageText(const std::string& picture);

class FormImage : public Form {
 public:
  explicit FormImage(Application& app);

  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload() override;

  // Writes the page for the picture address and shows it.
  void ShowPicture(const std::string& pict);
  void ApplyZoom(int16_t percent);
  void SaveShownPicture();
  void PreviousPicture();
  void NextPicture();
  void OpenPictureAddress();  // the address shown, opened where the user agrees
  void ZoomIn();
  void ZoomOut();
  void Close();
  void ScrollByArrowKey(int key_code);
  void PictureLoaded();

  std::optional<std::string> StateField(const std::string& field) const override;

  Control* page_view;     // the picture's page
  ControlArray buttons;   // save, previous, next, address, zoom in, zoom out
  Control* focus_holder;  // focus holder that only receives keys

  std::string page_file;  // the page written for the picture
  std::string picture;    // the address shown
  int32_t position = 0;   // place in the web picture list
  int16_t zoom = 100;     // page zoom in percent; a new page resets it

 private:
  void CreateCommands();
  void StepZoom(int by);
  void Refocus();  // the keys go back to the focus holder after a command
  // Asks where to save the picture shown and downloads it there.
  void SavePicture();

  // What the view is told of a local picture's fitted width (nothing for other pictures).
  std::vector<std::pair<std::string, int>> FittedWidths(const std::string& pict);
  // Steps to the list entry at `position`, if the list holds one there.
  void ShowPosition();

  Application& app_;
};

// Brings the detail window to the front (making it first when needed) and shows `picture`.
FormImage& ShowDetailWindow(Application& app, const std::string& picture);

}  // namespace tv
