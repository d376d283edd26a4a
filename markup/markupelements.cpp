#include "markupelements.h"

#include <QHash>
#include <QStringList>

ElementKind elementKind(const QString &tag)
{
    static const QHash<QString, ElementKind> kinds = [] {
        QHash<QString, ElementKind> made;
        const auto add = [&made](const char *tags, ElementKind kind) {
            for (const QString &tag : QString::fromLatin1(tags).split(QLatin1Char(' ')))
                made.insert(tag, kind);
        };
        add("a b strong i em u s strike del ins sub sup span big small font code tt kbd samp var cite dfn",
            ElementKind::Phrasing);
        add("br img embed param source track input area", ElementKind::Void);
        add("meta link base", ElementKind::Metadata);
        add("script style title textarea xmp iframe noembed noframes noscript", ElementKind::RawText);
        add("p div h1 h2 h3 h4 h5 h6 pre listing blockquote center address article aside details "
            "dialog figcaption figure footer header hgroup main nav section summary fieldset form legend",
            ElementKind::Block);
        add("hr", ElementKind::Rule);
        add("ul ol menu dir", ElementKind::List);
        add("li", ElementKind::Item);
        add("dl", ElementKind::Definitions);
        add("dt dd", ElementKind::Term);
        add("table", ElementKind::Table);
        add("thead tbody tfoot", ElementKind::Section);
        add("tr", ElementKind::Row);
        add("td th", ElementKind::Cell);
        add("caption", ElementKind::Caption);
        add("html", ElementKind::Html);
        add("head", ElementKind::Head);
        add("body", ElementKind::Body);
        return made;
    }();
    return kinds.value(tag, ElementKind::Ordinary);
}
