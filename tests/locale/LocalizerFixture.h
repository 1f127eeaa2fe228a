#pragma once
// A language source over four test language files for localizer and coverage tests:
// English translates the test window (with a few deliberately odd keys), Norsk lacks some
// keys, Svensk has no file, Deutsch asks for right-to-left and the Greek character set.
#include "LanguageFiles.h"
#include "TestForm.h"
#include "locale/TQLanguageSource.h"

#include <gtest/gtest.h>

namespace locale_test {

class LocalizerFixture : public ::testing::Test {
protected:
    static constexpr int kEnglish = 0, kNorsk = 1, kSvensk = 2, kDeutsch = 3;

    LocalizerFixture()
    {
        files.write("English.lng", englishLines());
        files.write("Norsk.lng", norskLines());
        files.write("Deutsch.lng", {"[General Settings]", "BiDiMode=1", "FontCharSet=greek_charset", "[TestForm]",
                                    "Caption=\"Testfenster\""});
        source = new locale::TQLanguageSource;
        source->setObjectName(QStringLiteral("QLanguageSource1"));
        source->SetBaseFolder(files.folder());
        source->SetOriginalName(QStringLiteral("Dansk"));
        source->SetLanguages(LanguageFiles::fourLanguages());
        source->Loaded();
    }
    ~LocalizerFixture() override { delete source; }

    static QStringList englishLines()
    {
        return {"; the test window in English",
                "[TestForm]",
                "Caption=\"Test window\"",
                "Button1.Caption=\"Save\"",
                "Button1.Hint=\"Save the record\"",
                "Button2.Hint=\"Never shown\"",
                "Button2.Caption=\"\"",
                "Label1.Caption=\"Title:\"",
                "GroupBox1.Caption=\"Origin\"",
                "ComboBox1.Items=\"Red,Green\"",
                "RadioGroup1.Items=\"Original,Copy\"",
                "RadioGroup1.Values=\"Original,Kopi,Privat\"",
                "DBGrid1.Columns=\"One,Two,Three,Four,Five\"",
                "DBNavigator1.Hints=\"First,Prior,Next,Last,Insert,Delete,Edit,Post,Cancel\"",
                "Filer1.Caption=\"File\"",
                "Afslut1.Caption=\"Exit\"",
                "OwnButton1.Caption=\"Own caption\"",
                "TestForm.Caption=\"Wrong\"",
                "Button1.Text=\"Not translated\"",
                "[HovedForm]",
                "SpeedButton1.Caption=\"Registration\"",
                "[OtherForm]",
                "Caption=\"Other\""};
    }

    static QStringList norskLines()
    {
        QStringList titles;
        for (int i = 1; i <= 15; ++i)
            titles.append(QStringLiteral("N%1").arg(i));
        return {"[testform]",
                "CAPTION=\"Testvindu\"",
                "button1.caption=\"Lagre\"",
                "Label1.Caption=\"Tittel:\"",
                "DBGrid1.Columns=\"" + titles.join(u',') + "\"",
                "RadioGroup1.Items=\"Original,Kopi,Privat,Ekstra\""};
    }

    LanguageFiles files;
    locale::TQLanguageSource* source;
};

} // namespace locale_test
