#include "markuptokenizer.h"

#include <QHash>

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// What ends the name of a tag or an attribute, as HTML reads it; an
// attribute's name ends at a '=' too, but for its first character.
bool endsName(QChar c)
{
    return isHtmlWhitespace(c) || c == QLatin1Char('/') || c == QLatin1Char('>');
}

// What the names of tags and attributes may hold: any character of ASCII
// that does not end them, quotes and '<' too, as in what a web editor fed
// from Word writes ("<span times new roman\"'>"). A character beyond ASCII
// makes the '<' text: "若 a<b 且 b>c" is a comparison among Chinese words.
bool isNameCharacter(QChar c)
{
    return c.unicode() < 0x80;
}

// The named character references of HTML 4, which Qt and every browser know.
const QHash<QString, char32_t> &namedReferences()
{
    static const QHash<QString, char32_t> references = [] {
        static const char table[] =
            "AElig c6 Aacute c1 Acirc c2 Agrave c0 Alpha 391 Aring c5 Atilde c3 Auml c4 Beta 392 Ccedil "
            "c7 Chi 3a7 Dagger 2021 Delta 394 ETH d0 Eacute c9 Ecirc ca Egrave c8 Epsilon 395 Eta 397 "
            "Euml cb Gamma 393 Iacute cd Icirc ce Igrave cc Iota 399 Iuml cf Kappa 39a Lambda 39b Mu 39c "
            "Ntilde d1 Nu 39d OElig 152 Oacute d3 Ocirc d4 Ograve d2 Omega 3a9 Omicron 39f Oslash d8 "
            "Otilde d5 Ouml d6 Phi 3a6 Pi 3a0 Prime 2033 Psi 3a8 Rho 3a1 Scaron 160 Sigma 3a3 THORN de "
            "Tau 3a4 Theta 398 Uacute da Ucirc db Ugrave d9 Upsilon 3a5 Uuml dc Xi 39e Yacute dd Yuml "
            "178 Zeta 396 aacute e1 acirc e2 acute b4 aelig e6 agrave e0 alefsym 2135 alpha 3b1 amp 26 "
            "and 2227 ang 2220 apos 27 aring e5 asymp 2248 atilde e3 auml e4 bdquo 201e beta 3b2 brvbar "
            "a6 bull 2022 cap 2229 ccedil e7 cedil b8 cent a2 chi 3c7 circ 2c6 clubs 2663 cong 2245 copy "
            "a9 crarr 21b5 cup 222a curren a4 dArr 21d3 dagger 2020 darr 2193 deg b0 delta 3b4 diams "
            "2666 divide f7 eacute e9 ecirc ea egrave e8 empty 2205 emsp 2003 ensp 2002 epsilon 3b5 "
            "equiv 2261 eta 3b7 eth f0 euml eb euro 20ac exist 2203 fnof 192 forall 2200 frac12 bd "
            "frac14 bc frac34 be frasl 2044 gamma 3b3 ge 2265 gt 3e hArr 21d4 harr 2194 hearts 2665 "
            "hellip 2026 iacute ed icirc ee iexcl a1 igrave ec image 2111 infin 221e int 222b iota 3b9 "
            "iquest bf isin 2208 iuml ef kappa 3ba lArr 21d0 lambda 3bb lang 2329 laquo ab larr 2190 "
            "lceil 2308 ldquo 201c le 2264 lfloor 230a lowast 2217 loz 25ca lrm 200e lsaquo 2039 lsquo "
            "2018 lt 3c macr af mdash 2014 micro b5 middot b7 minus 2212 mu 3bc nabla 2207 nbsp a0 ndash "
            "2013 ne 2260 ni 220b not ac notin 2209 nsub 2284 ntilde f1 nu 3bd oacute f3 ocirc f4 oelig "
            "153 ograve f2 oline 203e omega 3c9 omicron 3bf oplus 2295 or 2228 ordf aa ordm ba oslash f8 "
            "otilde f5 otimes 2297 ouml f6 para b6 part 2202 permil 2030 perp 22a5 phi 3c6 pi 3c0 piv "
            "3d6 plusmn b1 pound a3 prime 2032 prod 220f prop 221d psi 3c8 quot 22 rArr 21d2 radic 221a "
            "rang 232a raquo bb rarr 2192 rceil 2309 rdquo 201d real 211c reg ae rfloor 230b rho 3c1 rlm "
            "200f rsaquo 203a rsquo 2019 sbquo 201a scaron 161 sdot 22c5 sect a7 shy ad sigma 3c3 sigmaf "
            "3c2 sim 223c spades 2660 sub 2282 sube 2286 sum 2211 sup 2283 sup1 b9 sup2 b2 sup3 b3 supe "
            "2287 szlig df tau 3c4 there4 2234 theta 3b8 thetasym 3d1 thinsp 2009 thorn fe tilde 2dc "
            "times d7 trade 2122 uArr 21d1 uacute fa uarr 2191 ucirc fb ugrave f9 uml a8 upsih 3d2 "
            "upsilon 3c5 uuml fc weierp 2118 xi 3be yacute fd yen a5 yuml ff zeta 3b6 zwj 200d zwnj 200c";
        QHash<QString, char32_t> made;
        const QStringList words = QString::fromLatin1(table).split(QLatin1Char(' '));
        for (int i = 0; i + 1 < words.size(); i += 2)
            made.insert(words.at(i), words.at(i + 1).toUInt(nullptr, 16));
        return made;
    }();
    return references;
}

// What browsers make of numeric references to the C1 controls: the
// characters of Windows-1252 at those places.
constexpr char16_t windows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString codePoint(char32_t code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    else if (code >= 0x80 && code <= 0x9F)
        code = windows1252[code - 0x80];
    return QString::fromUcs4(&code, 1);
}

} // namespace

MarkupTokenizer::MarkupTokenizer(const QString &source) : m_source(source)
{
    // Line ends as an HTML parser sees them: CR LF and a lone CR are LF.
    m_source.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_source.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

bool MarkupTokenizer::next(MarkupToken &token)
{
    token.name.clear();
    token.text.clear();
    token.attributes.clear();
    token.selfClosing = false;
    if (!m_rawTextEnd.isEmpty()) {
        readRawText(token);
        return true;
    }
    while (m_at < m_source.size()) {
        if (m_source.at(m_at) != QLatin1Char('<')) {
            readText(token);
            return true;
        }
        const int start = m_at;
        if (readTag(token))
            return true;
        if (m_at > start)
            continue; // markup that stands for nothing, such as "</>"
        // Not a tag: the '<' is text.
        token.text = QStringLiteral("<");
        ++m_at;
        readText(token);
        return true;
    }
    token.type = MarkupToken::End;
    return false;
}

void MarkupTokenizer::readText(MarkupToken &token)
{
    token.type = MarkupToken::Text;
    while (m_at < m_source.size() && m_source.at(m_at) != QLatin1Char('<')) {
        const QChar c = m_source.at(m_at++);
        if (c == QLatin1Char('&'))
            token.text += characterReference();
        else
            token.text += c;
    }
}

void MarkupTokenizer::readRawText(MarkupToken &token)
{
    token.type = MarkupToken::Text;
    const QString end = QLatin1String("</") + m_rawTextEnd;
    int at = m_at;
    for (;;) {
        at = m_source.indexOf(end, at, Qt::CaseInsensitive);
        const QChar after = at < 0 ? QChar() : this->at(at + end.size());
        if (at < 0 || isHtmlWhitespace(after) || after == QLatin1Char('/') || after == QLatin1Char('>'))
            break;
        at += end.size();
    }
    if (at < 0)
        at = m_source.size();
    // A text area's text is text: its character references are read.
    if (m_rawTextEnd == QLatin1String("textarea")) {
        while (m_at < at) {
            const QChar c = m_source.at(m_at++);
            token.text += c == QLatin1Char('&') ? characterReference() : QString(c);
        }
    }
    token.text += m_source.mid(m_at, at - m_at);
    m_at = at;
    m_rawTextEnd.clear();
}

// After a '&': the character a reference names, or the '&' itself.
QString MarkupTokenizer::characterReference()
{
    if (at(m_at) == QLatin1Char('#')) {
        const bool hex = at(m_at + 1) == QLatin1Char('x') || at(m_at + 1) == QLatin1Char('X');
        int digitsAt = m_at + (hex ? 2 : 1);
        int end = digitsAt;
        char32_t code = 0;
        for (;; ++end) {
            const QChar c = at(end);
            const int digit = isAsciiDigit(c) ? c.unicode() - '0'
                              : hex && c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')
                                  ? c.toLower().unicode() - 'a' + 10
                                  : -1;
            if (digit < 0)
                break;
            code = std::min<char32_t>(code * (hex ? 16 : 10) + char32_t(digit), 0x110000);
        }
        if (end == digitsAt)
            return QStringLiteral("&");
        m_at = at(end) == QLatin1Char(';') ? end + 1 : end;
        return codePoint(code);
    }
    int end = m_at;
    while (end - m_at < 32 && (isAsciiLetter(at(end)) || isAsciiDigit(at(end))))
        ++end;
    if (at(end) == QLatin1Char(';')) {
        const auto found = namedReferences().constFind(m_source.mid(m_at, end - m_at));
        if (found != namedReferences().constEnd()) {
            m_at = end + 1;
            return codePoint(*found);
        }
    }
    return QStringLiteral("&");
}

// At a '<': a start or end tag, a comment, a doctype or a processing
// instruction. False, with nothing read, when the '<' opens none of them;
// false, with the tag read, when the text ends inside it.
bool MarkupTokenizer::readTag(MarkupToken &token)
{
    const QChar first = at(m_at + 1);
    const bool endTag = first == QLatin1Char('/');
    // "</" and anything but a letter is a comment to the next '>' ("</>" an
    // empty one), unless the text ends there.
    if (first == QLatin1Char('!') || first == QLatin1Char('?')
        || (endTag && !isAsciiLetter(at(m_at + 2)) && m_at + 2 < m_source.size()))
        return readMarkupDeclaration(token);
    const int tagStart = m_at;
    m_at += endTag ? 2 : 1;
    if (!isAsciiLetter(at(m_at))) {
        m_at = tagStart;
        return false;
    }
    const int nameStart = m_at;
    while (m_at < m_source.size() && !endsName(m_source.at(m_at))) {
        if (!isNameCharacter(m_source.at(m_at))) {
            m_at = tagStart;
            return false;
        }
        ++m_at;
    }
    const QString name = m_source.mid(nameStart, m_at - nameStart).toLower();
    QVector<MarkupAttribute> attributes;
    bool selfClosing = false;
    if (!readAttributes(tagStart, attributes, selfClosing))
        return false;
    token.type = endTag ? MarkupToken::EndTag : MarkupToken::StartTag;
    token.name = name;
    if (!endTag) {
        token.attributes = attributes;
        token.selfClosing = selfClosing;
    }
    return true;
}

// After a tag's name: its attributes, up to the '>' that ends it, and
// whether a '/' stood right before it. False when the text ends inside the
// tag (then none of it is shown), or, with the place back at tagStart, when
// a name holds what no name may.
bool MarkupTokenizer::readAttributes(int tagStart, QVector<MarkupAttribute> &attributes, bool &selfClosing)
{
    for (;;) {
        for (selfClosing = false; isHtmlWhitespace(at(m_at)) || at(m_at) == QLatin1Char('/'); ++m_at)
            selfClosing = at(m_at) == QLatin1Char('/');
        if (m_at >= m_source.size())
            return false;
        if (m_source.at(m_at) == QLatin1Char('>')) {
            ++m_at;
            return true;
        }
        const int attributeStart = m_at;
        do {
            if (!isNameCharacter(m_source.at(m_at))) {
                m_at = tagStart;
                return false;
            }
            ++m_at;
        } while (m_at < m_source.size() && !endsName(m_source.at(m_at)) && m_source.at(m_at) != QLatin1Char('='));
        MarkupAttribute attribute{m_source.mid(attributeStart, m_at - attributeStart).toLower(), QString()};
        int afterName = m_at;
        while (isHtmlWhitespace(at(afterName)))
            ++afterName;
        if (at(afterName) == QLatin1Char('=')) {
            m_at = afterName + 1;
            while (isHtmlWhitespace(at(m_at)))
                ++m_at;
            attribute.value = readAttributeValue();
        }
        bool seen = false;
        for (const MarkupAttribute &earlier : attributes)
            seen = seen || earlier.name == attribute.name;
        if (!seen)
            attributes << attribute;
    }
}

QString MarkupTokenizer::readAttributeValue()
{
    QString value;
    const QChar quote = at(m_at);
    const bool quoted = quote == QLatin1Char('"') || quote == QLatin1Char('\'');
    if (quoted)
        ++m_at;
    // Taken a run at a time, up to a reference or the value's end.
    for (int run = m_at; m_at <= m_source.size(); ++m_at) {
        const QChar c = at(m_at);
        const bool ends = m_at == m_source.size()
                          || (quoted ? c == quote : (isHtmlWhitespace(c) || c == QLatin1Char('>')));
        if (!ends && c != QLatin1Char('&'))
            continue;
        value += m_source.midRef(run, m_at - run);
        if (ends)
            break;
        ++m_at;
        value += characterReference();
        run = m_at--;
    }
    if (quoted && m_at < m_source.size())
        ++m_at;
    return value;
}

// "<!--…-->", "<!DOCTYPE…>", Word's "<![if …]>", "<?xml…?>": read whole;
// none of them is text.
bool MarkupTokenizer::readMarkupDeclaration(MarkupToken &token)
{
    int end;
    if (m_source.midRef(m_at, 4) == QLatin1String("<!--")) {
        // "<!-->" and "<!--->" are empty comments.
        const int content = m_at + 4;
        if (at(content) == QLatin1Char('>'))
            end = content + 1;
        else if (m_source.midRef(content, 2) == QLatin1String("->"))
            end = content + 2;
        else if ((end = m_source.indexOf(QLatin1String("-->"), content)) >= 0)
            end += 3;
    } else if ((end = m_source.indexOf(QLatin1Char('>'), m_at + 2)) >= 0) {
        ++end;
    }
    m_at = end < 0 ? m_source.size() : end;
    token.type = MarkupToken::Declaration;
    return true;
}
