#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;

// An OK and a Cancel button, named "BitBtn1" and "BitBtn2" as the program's dialogs name
// theirs, that accept and reject `dialog`. The box is for the caller's layout.
QDialogButtonBox* OkCancelButtons(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel);
