#include "keys.h"

#include <array>

namespace cratefall::exerciser {
namespace {

constexpr int firstPrintable = 0x20;
constexpr int lastPrintable = 0x7E;
constexpr int controlMask = 0x1F;

struct Named {
    Qt::Key key;
    const char16_t* text;
};

// Text the desktop delivers for letters outside ASCII, and a character outside the BMP.
constexpr std::array<Named, 7> nonAscii{{{Qt::Key_Eacute, u"é"},
                                         {Qt::Key_Udiaeresis, u"ü"},
                                         {Qt::Key_ssharp, u"ß"},
                                         {Qt::Key_Ntilde, u"Ñ"},
                                         {Qt::Key_unknown, u"€"},
                                         {Qt::Key_unknown, u"日"},
                                         {Qt::Key_unknown, u"\U0001F600"}}};

// Keys that type nothing. No context-menu key: the text box's standard menu would wait for a
// person in its own event loop.
constexpr std::array<Qt::Key, 14> silent{
    Qt::Key_F1,       Qt::Key_F5,       Qt::Key_F12,        Qt::Key_Left,      Qt::Key_Up,
    Qt::Key_Home,     Qt::Key_PageDown, Qt::Key_Shift,      Qt::Key_Control,   Qt::Key_Alt,
    Qt::Key_CapsLock, Qt::Key_Insert,   Qt::Key_Dead_Acute, Qt::Key_Dead_Grave};

constexpr std::array<Named, 5> editing{{{Qt::Key_Return, u"\r"},
                                        {Qt::Key_Enter, u"\r"},
                                        {Qt::Key_Escape, u"\x1b"},
                                        {Qt::Key_Tab, u"\t"},
                                        {Qt::Key_Backspace, u"\b"}}};

Qt::Key letterKey(int letter)
{
    return Qt::Key(Qt::Key_A + letter);
}

KeyStroke withControl(Rng& rng)
{
    const int letter = rng.below(26);
    return {letterKey(letter), QString(QChar((letter + 'a') & controlMask)), Qt::ControlModifier,
            false};
}

KeyStroke withAlt(Rng& rng)
{
    const int letter = rng.below(26);
    return {letterKey(letter), QString(QChar(letter + 'a')), Qt::AltModifier, false};
}

template <std::size_t N> KeyStroke named(Rng& rng, const std::array<Named, N>& table, bool inert)
{
    const Named& entry = table[std::size_t(rng.below(int(N)))];
    return {entry.key, QString::fromUtf16(entry.text), Qt::NoModifier, inert};
}

} // namespace

std::string KeyStroke::name() const
{
    std::string shown = "key " + std::to_string(int(key));
    if (modifiers.testFlag(Qt::ControlModifier))
        shown += " +ctrl";
    if (modifiers.testFlag(Qt::AltModifier))
        shown += " +alt";
    if (modifiers.testFlag(Qt::ShiftModifier))
        shown += " +shift";
    shown += " text";
    for (const QChar c : text)
        shown += " U+" + std::to_string(c.unicode());
    return shown;
}

KeyStroke randomPrintable(Rng& rng)
{
    const int c = rng.between(firstPrintable, lastPrintable);
    if (c >= 'a' && c <= 'z')
        return {letterKey(c - 'a'), QString(QChar(c)), Qt::NoModifier, false};
    const auto shift = c >= 'A' && c <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier;
    return {Qt::Key(c), QString(QChar(c)), shift, false};
}

KeyStroke randomKey(Rng& rng)
{
    const int pick = rng.below(100);
    if (pick < 45)
        return randomPrintable(rng);
    if (pick < 55)
        return named(rng, editing, false);
    if (pick < 63)
        return withAlt(rng);
    if (pick < 68)
        return withControl(rng);
    if (pick < 71)
        return {Qt::Key_F4, QString(), Qt::ControlModifier, false};
    if (pick < 74)
        return {Qt::Key_D, QString(QChar('d' & controlMask)), Qt::ControlModifier, false};
    if (pick < 87)
        return named(rng, nonAscii, true);
    return {silent[std::size_t(rng.below(int(silent.size())))], QString(), Qt::NoModifier, true};
}

} // namespace cratefall::exerciser
