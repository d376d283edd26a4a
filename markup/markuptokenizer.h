#ifndef MARKUPTOKENIZER_H
#define MARKUPTOKENIZER_H

#include <QString>
#include <QVector>

// The first stage of the markup pass: takes a question's text, gives its
// pieces (text, start and end tags with their attributes) as HTML reads them.

// White space as HTML has it: blank, tab, line end, form feed, carriage return.
inline bool isHtmlWhitespace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
           || c == QLatin1Char('\f') || c == QLatin1Char('\r');
}

struct MarkupAttribute
{
    QString name;  // lower-case
    QString value; // character references decoded
};

// One piece of a question's markup, read as an HTML parser reads it.
struct MarkupToken
{
    // A comment, a doctype, a processing instruction or Word's "<![if …]>":
    // a declaration, shown by no one.
    enum Type { End, Text, StartTag, EndTag, Declaration };
    Type type = End;
    QString name; // a tag's name, lower-case
    QString text; // text, character references decoded; the raw content of
                  // an element such as style
    QVector<MarkupAttribute> attributes; // the first of each name
    bool selfClosing = false; // a start tag ended by "/>", as a formula's "<mspace/>"
};

// Reads markup the way browsers do: tags with quoted, unquoted and empty
// attribute values, names ending where HTML ends them (a quote in a name is
// part of it), character references, comments, doctypes, processing
// instructions and Word's conditional comments, tag soup and upper case. A
// '<' that does not open a tag is text, and so is a "tag" whose names hold
// characters beyond ASCII, as in "若 a<b 且 b>c": a comparison, not bold.
// Every character is read a bounded number of times.
class MarkupTokenizer
{
public:
    explicit MarkupTokenizer(const QString &source);

    // The next token into token; false at the end of the text.
    bool next(MarkupToken &token);

    // Reads what follows, up to the end tag of tagName, as one Text token:
    // the content of script, style and the like is not markup.
    void readRawTextUntil(const QString &tagName) { m_rawTextEnd = tagName; }

private:
    bool readTag(MarkupToken &token);
    bool readAttributes(int tagStart, QVector<MarkupAttribute> &attributes, bool &selfClosing);
    bool readMarkupDeclaration(MarkupToken &token);
    void readText(MarkupToken &token);
    void readRawText(MarkupToken &token);
    QString readAttributeValue();
    QString characterReference();

    QChar at(int index) const { return index < m_source.size() ? m_source.at(index) : QChar(); }

    QString m_source;
    int m_at = 0;
    QString m_rawTextEnd;
};

#endif // MARKUPTOKENIZER_H
