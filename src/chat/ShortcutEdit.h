#pragma once
// TShortcutEdit: the rules of the quick phrase editing dialog (TfrmShortcut_Edit). The dialog shows
// row i as number i + 1 and its phrase, asks for answers with its input dialog and hands them here.
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

class TShortcutEdit {
public:
    // path: the phrase file to edit (TShortcut::FilePath). Its phrases become the rows.
    explicit TShortcutEdit(std::string path);

    const std::vector<std::string>& Rows() const { return rows_; }
    // False when the file exists but could not be read whole: saving would destroy phrases the
    // dialog never showed, so Save refuses.
    bool CanSave() const { return canSave_; }

    // An answer becomes a phrase trimmed, with line breaks inside turned into blanks (a phrase is
    // one line of the file). Each returns false and changes nothing for a blank answer or a row
    // outside the list.
    bool Add(std::string_view answer);
    bool Change(int row, std::string_view answer);
    bool Delete(int row);

    // Replaces the file with the rows in order; false when it refused or could not write.
    bool Save() const;

private:
    std::string path_;
    std::vector<std::string> rows_;
    bool canSave_ = true;
};

} // namespace vlk
