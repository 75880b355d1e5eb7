// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "HelpPages.h"

#include "tables/Tables.h"

namespace Lumora::HelpPages {

// The texts are shown letter for letter, their spelling and runs of spaces included.
const std::array<HelpPage, 5> kPages = {{
    {.window = "help", .okButton = "Command1", .width = 487, .height = 220,
     .labels =
     {{
         {"Label1", "For inserting your own verses onto the display ", Bold | Underlined},
         {"Label6",
          "Click Enter Verses to put new verses in, Hit Confirm to insert it.  Only one line is "
          "allowed even if you have more than 2 lines.  No need to put return. It will wrap it "
          "around once you hit conform",
          Bold},
         {"Label2",
          "Other Language/Verison/Additional is the flexible text editor, it is different from "
          "the capture one as described above.  You can cut and paste any other version or "
          "language onto that text file, or you can write notes on it.  Changes made on the "
          "screen will be set until you make modification again.",
          Bold},
     }}},
    {.window = "MainHelp", .okButton = "Command1", .width = 541, .height = 258,
     .labels =
     {{
         {"Label1", "Configuration ", Bold | Underlined | Large},
         {"Label2",
          "You can add / change any name on the open slot (yellow).  You can also set the data "
          "folder to anywhere you want.  To select data folder, the icon of the folder must  be "
          "open. Highlight and Click it.   That will be your data folder.  Click it to close "
          "it.  Then it will go up to the previous folder.  Hit Confrim to have it set.  If "
          "there is no need to change the folder once you set it or , you can leave it as is "
          "if you decide to leave it on the applicaiton path.      ",
          Bold},
         {"Label3",
          "Copy original files to new data folder.  This is only done once if you have changed "
          "your new data folder.  There is no need to do it more than once or your data will be "
          "over written.   Once you have done it, all the data from your data folder will be "
          "modified or be read.  File types are txt and dat will be copied to new data folder "
          "you specify.",
          Bold},
     }}},
    {.window = "aboutthis", .okButton = "OKButton", .width = 402, .height = 310,
     .labels =
     {{
         {"About",
          "Lumora version 1.0, made by the Lumora developers, created December 2009.  You are "
          "welcome to distribute this software.    Matthew 10:8 ...  freely ye have received, "
          "freely give.  This software is best viewed by minimum of 1024 x 768 resolution ."},
         {"Label1",
          "Purpose of this software is to identity and remember verses that are commonly used "
          "or verses if you feel that you need to catagorize it.  The Bible is full of good "
          "verses, I only pull some out, and you can add your verses to the screen or, add "
          "notes/verses to external text file .   The verses I used are based on KJV, however "
          "there are  \"opening slots\" or yellow buttons, you can use it to create new "
          "catagory. Other/Version/Additonal is something flexible you can create or compare "
          "with other version."},
         {"Label2",
          "Structure of the file type.  lmr - do not move/delete, file to set path.    dat - "
          "file to capture to screen display (can be moved to data folder)  txt - external text "
          "file, can be used as notes, comparison or UNICODE (foreign language)  Other files "
          "with C before it stands for Customized in case you wonder why I named them Cxxx.txt "
          "or Cxxx.dat"},
     }},
     .left = 184, .top = 250, .okAtBottom = true},
    {.window = "subhelp", .okButton = "OKButton", .width = 411, .height = 134,
     .labels =
     {{
         {"Label1",
          "Other Language / Version /Additional - Click on that one, it will pop up a text "
          "format file which contains either verses you edit, modified or you can freely add "
          "any notes onto that file.  This is modified with notepad.exe"},
     }},
     .left = 184, .top = 250},
    {.window = "musichelp", .okButton = "Command1", .width = 340, .height = 139,
     .labels =
     {{
         {"Label1", "Play Music 1 - Play \"Seek ye first - midi file", Bold},
         {"Label2", "Play Music 2 - Play Shine Jesus Shine", Bold},
         {"Label3", "Stop Music - Stop music that is playing", Bold},
     }},
     .fixedTitle = "Musichelp", .sizable = true, .icon = false},
}};

const HelpPage* byWindow(QStringView window)
{
    return rowOf(kPages, window, &HelpPage::window);
}

} // namespace Lumora::HelpPages
