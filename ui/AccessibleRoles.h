#pragma once
// Roles that a screen reader cannot learn from the widgets' classes: the main window is a
// window rather than a plain pane, and the status panel is a status bar named by its text, so
// that each new status is heard as the bar's change of name, wherever the focus is.

// Teaches Qt's accessibility these roles; calling it again changes nothing.
void InstallAccessibleRoles();
