// What a subsystem asks of the frame window: the panel shows or minimises it and ends the
// program through it, a design choice and a simulation grey or enable its menu items, the
// plots tell it that what the graphic window shows has changed, and the commands of the Data
// and File menus ask through it for a file, name it in the title and show it in the text
// window. The frame implements it; the
// subsystems know nothing else of it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "ui/geometry.hpp"

namespace qalix {

class FrameHooks {
  public:
    // Shown and set up for the mode the record's graphicChosen/textChosen name, or minimised.
    virtual void showInChosenMode() = 0;
    virtual void minimise() = 0;
    // The design was computed ("Sequential Design") or has gone (a design choice): what needs
    // one is enabled or greyed, and what showed the old one is cleared and closed.
    virtual void designComputed(bool computed) = 0;
    // What the menu offers may have changed: samples simulated or imported, or not.
    virtual void refreshMenu() = 0;
    // The plot picture or the opened metafile changed: the graphic window paints anew.
    virtual void pictureChanged() = 0;
    // The graphic window's size, which a picture file of what it shows takes.
    virtual Rect clientRect() const = 0;

    // The open or save file dialog of the current mode; nothing when it was cancelled or
    // failed (a failure is reported).
    virtual std::optional<std::string> askForFile(bool save) = 0;
    virtual void setTitle(std::string title) = 0;
    // Whether the text window's content may be replaced: it holds no changes not saved, or
    // the user answered that they may be discarded.
    virtual bool mayReplaceText() = 0;
    // Ends the program, once the user has confirmed it when the text window holds changes
    // not saved.
    virtual void endProgram() = 0;
    // The file the text window shows, which "Save" writes.
    virtual void setTextPath(std::string path) = 0;
    // The file read (up to maxBytes) and shown in the text window, as much as it takes; its
    // bytes, or nothing after a message.
    virtual std::optional<std::string> showFile(const std::string& path, std::size_t maxBytes) = 0;

  protected:
    ~FrameHooks() = default;
};

}  // namespace qalix
