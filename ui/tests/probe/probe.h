#pragma once
// A library of its own that uses the ui seams, as the print libraries do. The test loads it at run
// time, so nothing in the test binary is linked against it: what it shows, prints on and reads
// is the program's own state only when the seams are one shared library.

#include <QDate>
#include <QString>

class QDialog;
class QPrinter;

extern "C" {

using ProbeShowMessage = void (*)(const QString& text);
using ProbePrinter = QPrinter* (*)();
using ProbeToday = void (*)(QDate& date);
using ProbeShowModal = int (*)(QDialog* form);
using ProbeHelpJump = void (*)(const QString& topic);
using ProbeApplicationHelpFile = void (*)(QString& file);
// Reads `text`; false with the message when it is not a number.
using ProbeToFloat = bool (*)(const QString& text, double& value, QString& message);
using ProbeFormat = void (*)(double value, QString& text);
}
