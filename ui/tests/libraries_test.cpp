// Libraries loaded with their first call (ui/libraries.h): found in the folder talvero_ui was
// loaded from, called through an entry of the same signature; a missing one is an error box and
// a zero result, and the next call tries again.
#include "probe.h"
#include "ui/libraries.h"
#include "ui/messages.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr char kProbe[] = UI_PROBE_FILE;
constexpr char kMissing[] = "libtalvero_no_such_library.so";
constexpr char kToFloat[] = "probeToFloat";

TEST(Libraries, TheFolderIsTheOneTheSeamsWereLoadedFrom) {
    const QString folder = ui::libraryFolder();
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/" UI_LIBRARY_FILE)).isFile()) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/" UI_PROBE_FILE)).isFile()) << folder.toStdString();
}

TEST(Libraries, AnEntryIsCalledInItsLibrary) {
    ui::MessageRecorder messages;
    double value = 0;
    QString message;
    EXPECT_TRUE((ui::LazyEntry<kProbe, kToFloat, ProbeToFloat>::call(QStringLiteral("250"), value, message)));
    EXPECT_EQ(value, 250);
    EXPECT_FALSE((ui::LazyEntry<kProbe, kToFloat, ProbeToFloat>::call(QStringLiteral("x"), value, message)));
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST(Libraries, AMissingLibraryIsToldEachTimeAndGivesZero) {
    ui::MessageRecorder messages;
    double value = 7;
    QString message;
    for (int call = 0; call < 2; ++call)
        EXPECT_FALSE(
            (ui::LazyEntry<kMissing, kToFloat, ProbeToFloat>::call(QStringLiteral("250"), value, message)));
    EXPECT_EQ(value, 7);
    ASSERT_EQ(messages.messages().size(), 2);
    for (const ui::RecordedMessage& m : messages.messages()) {
        EXPECT_EQ(m.kind, ui::MessageKind::Error);
        EXPECT_TRUE(m.text.contains(QString::fromLatin1(kMissing))) << m.text.toStdString();
    }
}

} // namespace
