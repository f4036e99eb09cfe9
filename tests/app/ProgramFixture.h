#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KelmstarApplication.h"
#include "Program.h"
#include "TMainForm.h"

// The application object of the test run (made by main), with the error texts it caught.
void SetTestApplication(KelmstarApplication* application);
KelmstarApplication& TestApplication();
QStringList& ReportedErrors();

// Runs each test in a fresh current directory (the program keeps "pelzo.cfg" and the
// default log there) with the whole program created, and answers modal dialogs
// instead of waiting for a user.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the program; tests that prepare files first call it themselves.
    void CreateProgram();

    TMainForm& Main() { return program->MainForm(); }
    ProgramWindows& Windows() { return program->Windows(); }
    AppState& State() { return program->State(); }

    // The text of the label `name` inside `window`.
    static QString LabelText(QWidget* window, const char* name);

    // Carries out the deletions of windows closed since (a closed view deletes itself later).
    static void FlushDeletes();

    // Processes events until `done` holds or `timeoutMs` passes; returns `done()`.
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);

    std::filesystem::path Path(const std::string& name) const { return directory / name; }
    void WriteFile(const std::string& name, const std::string& content) const;
    std::string ReadFile(const std::string& name) const;
    std::vector<std::string> ReadLines(const std::string& name) const;

    // Plays the log `path` at "Fastest" to its end, then runs the view refresh once; false
    // when it did not end within 20 s.
    bool PlayToEnd(const QString& path);

    std::filesystem::path directory;
    std::filesystem::path previousDirectory;
    std::unique_ptr<Program> program;
    QStringList modalDialogs;  // object names of the dialogs run, in order
    QString nextChosenFile;    // what the next file-open dialog returns
    QStringList errorDialogTexts;
};
