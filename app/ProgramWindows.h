#pragma once

#include <QPointer>

class TAbout;
class TData;
class TErrorDialog;
class TLevel;
class TLogFileSetting;
class TParameter;
class TSource;
class TStart;
class TTracking;
class TView;
class Tsentencesetup;
class Tviewsetting;

// The references to the program's windows besides the main window. A view's
// reference is replaced when the view is created anew; a closed view's is null.
struct ProgramWindows {
    QPointer<TAbout> About;
    QPointer<TView> View;
    QPointer<TSource> Source;
    QPointer<TStart> Start;
    QPointer<TTracking> Tracking;
    QPointer<TLevel> Level;
    QPointer<TParameter> Parameter;
    QPointer<TErrorDialog> ErrorDialog;
    QPointer<Tviewsetting> viewsetting;
    QPointer<TData> Data;
    QPointer<TLogFileSetting> LogFileSetting;
    QPointer<Tsentencesetup> sentencesetup;
};
