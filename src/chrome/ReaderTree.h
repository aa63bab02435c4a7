#pragma once
// What screen readers are shown of the windows. Qt offers every child widget
// to them; here the tree is trimmed to what a pupil who listens needs:
//
// - A plain QLabel that shows only a picture and has no accessible name is
//   decoration (like a picture without a text alternative on a web page) and
//   is left out, as is a label with neither text nor picture. A picture that
//   carries other controls (a field of the status strip) stays as an unnamed
//   pane, so that its controls are still reached.
// - A widget set to Silent is left out with everything in it (a tab of a
//   module the program does not have, a caption that a group's name says).
// - Heading and Text read a widget and everything in it as one text: its
//   accessible name, else the texts of its labels in order ("0 of 31
//   answered" from "0", "/" named "of", "31" and "answered").
// - Group, List, ListItem and Dialog give a widget the role a screen reader
//   announces; a list item can be selected (setSelected). A Dialog window
//   is trimmed like a plain container.
//
// Containers that are plain widgets are trimmed this way, and leave out the
// controls they hide; the top-level windows are announced as windows.

class QWidget;

namespace ReaderTree {

enum class ReadAs { Default, Silent, Heading, Text, Group, List, ListItem, Dialog };

// Installs the accessibility factory; call after the application object
// exists (later factories are asked first). Safe to call again.
void install();
void setReadAs(QWidget* widget, ReadAs as);
ReadAs readAsOf(const QWidget* widget);
// Whether a screen reader is shown the widget at all.
bool isShown(const QWidget* widget);
// A list item's selected state; a screen reader is told of the change.
void setSelected(QWidget* item, bool selected);
bool isSelected(const QWidget* item);

} // namespace ReaderTree
