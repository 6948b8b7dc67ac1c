#include "chat/ShortcutEdit.h"

#include "chat/Shortcut.h"
#include "shell/TextHelpers.h"

namespace vlk {
namespace {

std::string PhraseOf(std::string_view answer)
{
    std::string phrase = Trim(answer);
    for (char& c : phrase)
        if (c == '\r' || c == '\n')
            c = ' ';
    return phrase;
}

} // namespace

TShortcutEdit::TShortcutEdit(std::string path) : path_(std::move(path))
{
    if (auto phrases = ReadShortcutFile(path_))
        rows_ = std::move(*phrases);
    else
        canSave_ = false;
}

bool TShortcutEdit::Add(std::string_view answer)
{
    std::string phrase = PhraseOf(answer);
    if (phrase.empty())
        return false;
    rows_.push_back(std::move(phrase));
    return true;
}

bool TShortcutEdit::Change(int row, std::string_view answer)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    std::string phrase = PhraseOf(answer);
    if (phrase.empty())
        return false;
    rows_[static_cast<size_t>(row)] = std::move(phrase);
    return true;
}

bool TShortcutEdit::Delete(int row)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    rows_.erase(rows_.begin() + row);
    return true;
}

bool TShortcutEdit::Save() const { return canSave_ && WriteShortcutFile(path_, rows_); }

} // namespace vlk
