// Message texts broken inside words that would make a message box wider than the screen.

#include "platform/ui/MessageText.h"

#include <gtest/gtest.h>

namespace kelmora {

TEST(MessageText, LongWordsAreBrokenAtSeparatorsOrTheLimitAndNothingElseChanges)
{
    EXPECT_EQ(BreakLongWords("Save changes to logo.MZF?", 10), "Save changes to logo.MZF?");

    const wxString path = "/home/someone/drawings/" + wxString('a', 30) + "/logo.MZF";
    const wxString broken = BreakLongWords("Cannot open " + path + ".", 20);
    EXPECT_EQ(broken, "Cannot open /home/someone/\ndrawings/\n" + wxString('a', 20) + "\n" + wxString('a', 10)
                          + "/logo.MZF.");
    // Only line breaks were added.
    wxString joined = broken;
    joined.Replace("\n", "");
    EXPECT_EQ(joined, "Cannot open " + path + ".");
}

} // namespace kelmora
