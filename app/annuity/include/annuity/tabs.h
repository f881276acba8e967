#pragma once
// One table per calculator tab: its boxes top to bottom, its buttons, its help and its
// calculation. The forms build every tab from its table, and every tab is read and computed
// through it, here, without any widget.

#include "annuity/answer.h"
#include "annuity/reading.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace annuity {

// Initial texts of the inputs: the zero working value as money or as a count.
inline constexpr const char* kMoney = "%7.2f";
inline constexpr const char* kCount = "%7.0f";
// Answers are shown in this format.
inline constexpr const char* kAnswerFormat = "%7.2f";

// One labelled box. An input has the working value it is read into and its initial format; the
// answer box has neither and starts empty.
template <class V> struct Row {
    const char* label;
    const char* name;
    const char* format = nullptr;
    double V::*value = nullptr;
    const char* hint = nullptr; // a note beside the box
};

struct Buttons {
    const char* compute;
    const char* print;
    const char* help;
    const char* printCaption = "Prt/Screen";
};

template <class V> struct Tab {
    const char* caption;
    const char* title;
    std::vector<Row<V>> rows; // top to bottom; the inputs stand in the order they are read
    Buttons buttons;
    const char* helpTopic;
    int helpContext;         // the Help button's own F1 context; 0 when it has the form's
    const QString* required; // shown when an input is 0 or less
    Answer (*compute)(V& values);
    double V::*answer; // the working value a shown answer is kept in
};

// What every calculator keeps of its last Compute besides its values.
struct TabState {
    int failed = 0; // set when the reading fails; Compute clears it as it stops
    int tab = 0;    // the tab whose Compute ran last
};

template <class V> struct Calculator {
    const char* name;
    const char* caption;
    int helpContext;
    std::vector<Tab<V>> tabs;
};

// The name of the tab's answer box: its one row without a working value.
template <class V> const char* answerBox(const Tab<V>& tab) {
    for (const Row<V>& r : tab.rows)
        if (!r.value) return r.name;
    return nullptr;
}

// The text a box holds, by the box's name.
using TextOf = std::function<QString(const char* name)>;

// Compute on one tab: reads the inputs into the working values (those converted before a failure
// are kept), then computes and keeps a usable answer. A failed reading comes back as the notice
// that ends the command.
template <class V>
Answer runTab(const Tab<V>& tab, int index, V& values, const TextOf& textOf, const Converter& convert) {
    values.tab = index;
    QStringList texts;
    for (const Row<V>& r : tab.rows)
        if (r.value) texts.append(textOf(r.name));
    const Reading reading = readPositive(texts, convert, *tab.required);
    auto value = reading.values.cbegin();
    for (const Row<V>& r : tab.rows)
        if (r.value && value != reading.values.cend()) values.*r.value = *value++;
    if (!reading.ok()) values.failed = 1;
    if (values.failed) {
        values.failed = 0;
        Answer refused;
        refused.notice = reading.message;
        return refused;
    }
    const Answer a = tab.compute(values);
    if (a.ok()) values.*tab.answer = a.value;
    return a;
}

} // namespace annuity
