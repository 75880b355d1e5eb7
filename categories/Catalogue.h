// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include "tables/Tables.h"

#include <array>
#include <string_view>

namespace Lumora {

// One built-in category: the window that shows it, the main-window button that opens
// it with its caption (the category's only display name), its notes file in the data
// folder and its verses, top to bottom. Verses are shown exactly as they stand here,
// with every leading, trailing and doubled space.
struct CategoryEntry {
    std::string_view window;
    std::string_view button;
    std::string_view caption;
    std::string_view notesFile;
    std::array<std::string_view, 5> verses;

    int verseCount() const
    {
        int count = 0;
        for (const auto verse : verses)
            count += verse.empty() ? 0 : 1;
        return count;
    }
};

namespace Catalogue {

// King James text. "Ten Commendments" has three verses; the text of Eph 2:8-9 serves
// two categories.
inline constexpr std::array<CategoryEntry, 11> kEntries = {{
    {"Form2", "Command1", "Heart", "Cheart.txt",
     {{
         "Deu 6:5  And thou shalt love the LORD thy God with all thine heart, and with all thy soul, and with all thy might.",
         "Pro 4:23  Keep thy heart with all diligence; for out of it are the issues of life. ",
         "Mat 5:8  Blessed are the pure in heart: for they shall see God.",
         "Mat 6:21  for where thy treasure is, there will thy heart be also.",
         "Luk 10:27  And he answering said, Thou shalt love the Lord thy God with all thy heart, and with all thy soul, and with all thy strength, and with all thy mind; and thy neighbor as thyself.",
     }}},
    {"Form3", "Command5", "Head", "Chead.txt",
     {{
         "1Co 11:3  But I would have you know, that the head of every man is Christ; and the head of the woman is the man; and the head of Christ is God.",
         "Php 2:10  That at the name of Jesus every knee should bow, of things in heaven, and things in earth, and things under the earth;",
         "Eph 5:23  For the husband is the head of the wife, even as Christ is the head of the church: and he is the saviour of the body.",
         "Eph 4:15-16  But speaking the truth in love, may grow up into him in all things, which is the head, even Christ: From whom the whole body fitly joined together and compacted by that which every joint supplieth, according to the effectual working in the measure of every part, maketh increase of the body unto the edifying of itself in love.",
         "Pro 20:29  The glory of young men is their strength: and the beauty of old men is the gray head.",
     }}},
    {"Form4", "Command2", "Trinity Grace", "Cgrace.txt",
     {{
         "Mar 1:9-11 And it came to pass in those days, that Jesus came from Nazareth of Galilee, and was baptized of John in Jordan.  And straightway coming up out of the water, he saw the heavens opened, and the Spirit like a dove descending upon him: And there came a voice from heaven, saying, Thou art my beloved Son, in whom I am well pleased.",
         "Joh 16:7  Nevertheless I tell you the truth; It is expedient for you that I go away: for if I go not away, the Comforter will not come unto you; but if I depart, I will send him unto you. Joh 16:27-28  For the Father himself loveth you, because ye have loved me, and have believed that I came out from God. I came forth from the Father, and am come into the world: again, I leave the world, and go to the Father. ",
         "Eph 2:8-9  For by grace are ye saved through faith; and that not of yourselves: it is the gift of God:  Not of works, lest any man should boast. ",
         "Rom 3:24  Being justified freely by his grace through the redemption that is in Christ Jesus: ",
         "Joh 3:16  For God so loved the world, that he gave his only begotten Son, that whosoever believeth in him should not perish, but have everlasting life. ",
     }}},
    {"Form5", "Command7", "Ten Commendments", "Cten.txt",
     {{
         "Exo 20:3-4 Thou shalt have no other gods before me. Thou shalt not make unto thee any graven image, or any likeness of any thing that is in heaven above, or that is in the earth beneath, or that is in the water under the earth:",
         "Exo 20:7-8 Thou shalt not take the name of the LORD thy God in vain; for the LORD will not hold him guiltless that taketh his name in vain. Remember the sabbath day, to keep it holy.",
         "Exo 20:12-17 Honour thy father and thy mother: that thy days may be long upon the land which the LORD thy God giveth thee.  Thou shalt not kill. Thou shalt not commit adultery.  Thou shalt not steal.  Thou shalt not bear false witness against thy neighbour. Thou shalt not covet thy neighbour's house, thou shalt not covet thy neighbour's wife, nor his manservant, nor his maidservant, nor his ox, nor his ass, nor any thing that is thy neighbour's.",
     }}},
    {"Form6", "Command6", "Fruits of Spirit - Lord's prayer", "cfruit.txt",
     {{
         "Gal 5:22-23  But the fruit of the Spirit is love, joy, peace, longsuffering, gentleness, goodness, faith, Meekness, temperance: against such there is no law.",
         " Eph 5:9  (For the fruit of the Spirit is in all goodness and righteousness and truth;) ",
         "Joh 15:5  I am the vine, ye are the branches: He that abideth in me, and I in him, the same bringeth forth much fruit: for without me ye can do nothing. ",
         "Pro 11:30  The fruit of the righteous is a tree of life; and he that winneth souls is wise. ",
         "Mat 6:9-13 After this manner therefore pray ye: Our Father which art in heaven, Hallowed be thy name. Thy kingdom come. Thy will be done in earth, as it is in heaven. Give us this day our daily bread. And forgive us our debts, as we forgive our debtors. And lead us not into temptation, but deliver us from evil: For thine is the kingdom, and the power, and the glory, for ever. Amen.",
     }}},
    {"Form7", "Command3", "Faith Hope Love", "clove.txt",
     {{
         "1Co 13:2  And though I have the gift of prophecy, and understand all mysteries, and all knowledge; and though I have all faith, so that I could remove mountains, and have not charity, I am nothing. ",
         "Eph 2:8-9  For by grace are ye saved through faith; and that not of yourselves: it is the gift of God:  Not of works, lest any man should boast. ",
         "Rom 5:5  And not only so, but we glory in tribulations also: knowing that tribulation worketh patience;  And patience, experience; and experience, hope: And hope maketh not ashamed; because the love of God is shed abroad in our hearts by the Holy Ghost which is given unto us. ",
         "1Jn 4:19  We love him, because he first loved us. ",
         "1Co 13:4-8  Charity suffereth long, and is kind; charity envieth not; charity vaunteth not itself, is not puffed up,   Doth not behave itself unseemly, seeketh not her own, is not easily provoked, thinketh no evil; Rejoiceth not in iniquity, but rejoiceth in the truth;  Charity never faileth: but whether there be prophecies, they shall fail; whether there be tongues, they shall cease; whether there be knowledge, it shall vanish away. ",
     }}},
    {"Form8", "Command4", "God's will", "cwill.txt",
     {{
         "Mat 7:13,14 Enter ye in by the narrow gate: for wide is the gate, and broad is the way, that leadeth to destruction, and many are they that enter in thereby. Because strait is the gate, and narrow is the way, which leadeth unto life, and few there be that find it.",
         "Mat 22:14 For many are called, but few chosen.",
         "Mat 19:30  But many that are first shall be last; and the last shall be first. ",
         "Mat 12:50  For whosoever shall do the will of my Father which is in heaven, the same is my brother, and sister, and mother. ",
         "Joh 20:29  Jesus saith unto him, Thomas, because thou hast seen me, thou hast believed: blessed are they that have not seen, and yet have believed. ",
     }}},
    {"Form9", "Command10", "All Knowing", "cknow.txt",
     {{
         "Jn 3:20  For if our heart condemn us, God is greater than our heart, and knoweth all things. ",
         "Co 2:10  But God hath revealed them unto us by his Spirit: for the Spirit searcheth all things, yea, the deep things of God. ",
         "Psa 44:21  Shall not God search this out? for he knoweth the secrets of the heart. ",
         "Deu 29:29  The secret things belong unto the LORD our God: but those things which are revealed belong unto us and to our children for ever, that we may do all the words of this law. ",
         "Joh 13:3  Jesus knowing that the Father had given all things into his hands, and that he was come from God, and went to God; ",
     }}},
    {"Form10", "Command11", "Reward", "creward.txt",
     {{
         "Mat 6:33  But seek ye first the kingdom of God, and his righteousness; and all these things shall be added unto you. ",
         "Luk 6:23  Rejoice ye in that day, and leap for joy: for, behold, your reward is great in heaven: for in the like ",
         "Luk 6:35  But love ye your enemies, and do good, and lend, hoping for nothing again; and your reward shall be great, and ye shall be the children of the Highest: for he is kind unto the unthankful and to the evil. ",
         "1Co 9:17  For if I do this thing willingly, I have a reward: but if against my will, a dispensation of the gospel is committed unto me. ",
         "Isa 62:11  Behold, the LORD hath proclaimed unto the end of the world, Say ye to the daughter of Zion, Behold, thy salvation cometh; behold, his reward is with him, and his work before him. ",
     }}},
    {"Form11", "Command13", "Wisdom", "cwisdom.txt",
     {{
         "Psa 111:10  The fear of the LORD is the beginning of wisdom: a good understanding have all they that do his commandments: his praise endureth for ever.",
         " Pro 4:5  Get wisdom, get understanding: forget it not; neither decline from the words of my mouth. ",
         "Pro 1:8  My son, hear the instruction of thy father, and forsake not the law of thy mother: ",
         "Php 3:13-14  Brethren, I count not myself to have apprehended: but this one thing I do, forgetting those things which are behind, and reaching forth unto those things which are before, I press toward the mark for the prize of the high calling of God in Christ Jesus. ",
         "1Co 2:7  But we speak the wisdom of God in a mystery, even the hidden wisdom, which God ordained before the world unto our glory: ",
     }}},
    {"Form12", "Command12", "Words", "cword.txt",
     {{
         "Pro 25:11  A word fitly spoken is like apples of gold in pictures of silver. ",
         "1Ti 4:12  Let no man despise thy youth; but be thou an example of the believers, in word, in conversation, in charity, in spirit, in faith, in purity. ",
         "Pro 17:27  He that hath knowledge spareth his words: and a man of understanding is of an excellent spirit. ",
         "Pro 21:9  It is better to dwell in a corner of the housetop, than with a brawling woman in a wide house. ",
         "Joh 14:6  Jesus saith unto him, I am the way, the truth, and the life: no man cometh unto the Father, but by me. ",
     }}},
}};

inline const CategoryEntry* byWindow(QStringView window)
{
    return rowOf(kEntries, window, &CategoryEntry::window);
}

inline const CategoryEntry* byButton(QStringView button)
{
    return rowOf(kEntries, button, &CategoryEntry::button);
}

} // namespace Catalogue
} // namespace Lumora
