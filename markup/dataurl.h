#ifndef DATAURL_H
#define DATAURL_H

// Takes a URL as an attribute gives it (an img's src); gives the bytes it
// carries when it is a data: URL, read as browsers read one.

#include <QByteArray>
#include <QString>

struct DataUrl
{
    enum State {
        NotData,    // another kind of URL: it names what it stands for
        Unreadable, // a data: URL without its comma, or base64 that is none
        Read,
    };
    State state = NotData;
    // The type and subtype of its media type, lower-case ("image/png"); the
    // default, "text/plain", where it gives none that reads as one.
    QString mediaType;
    QByteArray body;
};

// As browsers do: blanks and control characters around the URL, and tabs and
// line ends anywhere in it, are no part of it; "data:" in any case; the
// fragment after '#' left out; percent-encoded bytes decoded; ";base64" in
// any case, with blanks before it, and white space anywhere in the base64.
DataUrl readDataUrl(const QString &source);

#endif // DATAURL_H
