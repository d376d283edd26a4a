#include "markuppolicy.h"

#include "markupformula.h"
#include "markupstylesheet.h"
#include "markuptextonly.h"
#include "markupvalues.h"
#include "markupvocabulary.h"

#include <QSet>

#include <algorithm>

namespace {

class PolicyWalk
{
public:
    PolicyWalk(const MarkupTree &built, MarkupDrops &drops) : m_built(built), m_drops(drops) {}

    MarkupTree apply()
    {
        readSheets(0);
        for (const QString &tag : m_built.ignored)
            m_drops.add(DroppedMarkup::Element, tag);
        m_kept.flattened = m_built.flattened;
        m_kept.nodes[0].element = cleaned(0, QStringLiteral("body"));
        children(0, 0);
        return m_kept;
    }

private:
    // The style sheets and Qt's editor's mark, wherever they stand, before
    // any element is read: a sheet applies to the whole text.
    void readSheets(int parent)
    {
        for (int child = m_built.nodes.at(parent).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
            const MarkupNode &node = m_built.nodes.at(child);
            if (node.type != MarkupNode::Element)
                continue;
            const ElementRule rule = elementPolicy(node.tag).rule;
            if (rule == ElementRule::StyleSheet)
                readSheet(node);
            else if (node.tag == QLatin1String("meta"))
                readMeta(node);
            else if (rule == ElementRule::Keep || rule == ElementRule::Unwrap)
                readSheets(child);
        }
    }

    void readSheet(const MarkupNode &style)
    {
        const int text = style.firstChild;
        const StyleSheet sheet = readStyleSheet(text < 0 ? QString() : m_built.nodes.at(text).text);
        for (auto rule = sheet.whiteSpace.constBegin(); rule != sheet.whiteSpace.constEnd(); ++rule)
            m_sheetWhiteSpace.insert(rule.key(), rule.value());
        if (sheet.unapplied)
            m_drops.add(DroppedMarkup::Content, style.tag);
    }

    // Qt's editor marks what it writes: <meta name="qrichtext" content="1">.
    void readMeta(const MarkupNode &meta)
    {
        bool named = false;
        bool one = false;
        for (const MarkupAttribute &attribute : meta.attributes) {
            named = named || (attribute.name == QLatin1String("name") && attribute.value == QLatin1String("qrichtext"));
            one = one || (attribute.name == QLatin1String("content") && attribute.value == QLatin1String("1"));
        }
        m_kept.editorText = m_kept.editorText || (named && one);
    }

    // Gives where what follows goes: a formula shown as a block may have
    // ended the paragraph they stand in.
    int children(int parent, int into)
    {
        for (int child = m_built.nodes.at(parent).firstChild; child >= 0; child = m_built.nodes.at(child).next) {
            const MarkupNode &node = m_built.nodes.at(child);
            if (node.type == MarkupNode::Element)
                element(child, into);
            else
                m_kept.append(into, node);
        }
        return into;
    }

    void element(int index, int &into)
    {
        const MarkupNode &node = m_built.nodes.at(index);
        const ElementPolicy policy =
            node.implied ? ElementPolicy{ElementRule::Keep, node.tag} : elementPolicy(node.tag);
        switch (policy.rule) {
        case ElementRule::Drop:
            m_drops.add(DroppedMarkup::Content, node.tag);
            return;
        case ElementRule::Hide:
        case ElementRule::StyleSheet:
            return;
        case ElementRule::Formula:
            into = appendFormula(m_built, index, m_kept, into, m_drops);
            return;
        case ElementRule::TextOnly:
            appendTextOnly(m_built, index, m_kept, into, m_drops);
            return;
        case ElementRule::Unwrap:
            m_drops.add(DroppedMarkup::Element, node.tag);
            into = children(index, into);
            return;
        case ElementRule::Keep:
            break;
        }
        const int kept = cleaned(index, policy.written);
        const CleanElement &element = m_kept.elements.at(kept);
        if (node.kind == ElementKind::Void && element.name.isEmpty()) {
            // A picture the text does not carry: its description stands in.
            MarkupNode description;
            description.type = MarkupNode::Text;
            description.kind = ElementKind::Void;
            description.text = element.alternative;
            m_kept.append(into, description);
            return;
        }
        // A span, font or link with nothing kept changes nothing.
        if (element.attributes.isEmpty() && element.style.isEmpty() && (element.name == QLatin1String("span") || element.name == QLatin1String("font")
                || element.name == QLatin1String("a"))) {
            into = children(index, into);
            return;
        }
        MarkupNode copy = node;
        copy.attributes.clear();
        copy.element = kept;
        children(index, m_kept.append(into, copy));
    }

    // The element as the display gets it, read once for all the places it
    // is opened again.
    int cleaned(int index, const QString &written)
    {
        const MarkupNode &node = m_built.nodes.at(index);
        const int source = node.source >= 0 ? node.source : index;
        const auto found = m_cleaned.constFind(source);
        if (found != m_cleaned.constEnd())
            return *found;
        Cleaning cleaning;
        cleaning.element.name = written;
        for (const MarkupAttribute &attribute : node.attributes) {
            if (attribute.name == QLatin1String("style"))
                style(attribute.value, cleaning);
            else
                read(attributeReader(attribute.name, written), attribute.name, attribute.value, cleaning,
                     DroppedMarkup::Attribute);
        }
        if (node.tag == QLatin1String("center"))
            cleaning.attribute(QStringLiteral("align"), QStringLiteral("center"));
        // An image whose picture the text does not carry is not shown.
        if (written == QLatin1String("img") && !cleaning.attributes.contains(QStringLiteral("src")))
            cleaning.element.name.clear();
        if (cleaning.element.whiteSpace == WhiteSpace::Inherited)
            cleaning.element.whiteSpace = m_sheetWhiteSpace.value(node.tag, WhiteSpace::Inherited);
        CleanElement element = ordered(cleaning);
        countFamilies(element);
        m_kept.elements.append(element);
        m_cleaned.insert(source, m_kept.elements.size() - 1);
        return m_kept.elements.size() - 1;
    }

    void style(const QString &style, Cleaning &cleaning)
    {
        for (const auto &declaration : MarkupValues::declarations(style))
            read(propertyReader(declaration.first, cleaning.element.name), declaration.first, declaration.second,
                 cleaning, DroppedMarkup::Property);
    }

    // A value on the list is kept; one that is not, or whose value is not,
    // is counted as dropped (kind, or the kind of its value after it).
    void read(ValueReader reader, const QString &name, const QString &value, Cleaning &cleaning,
              DroppedMarkup::Kind kind)
    {
        if (!reader)
            m_drops.add(kind, name);
        else if (!reader(value, cleaning))
            m_drops.add(DroppedMarkup::Kind(kind + 1), name);
    }

    // Written in one order, whatever the order they came in.
    static CleanElement ordered(const Cleaning &cleaning)
    {
        CleanElement element = cleaning.element;
        for (int i = 0; !cleaning.attributes.isEmpty() && i < attributeOrder().size(); ++i) {
            const auto found = cleaning.attributes.constFind(attributeOrder().at(i));
            if (found != cleaning.attributes.constEnd())
                element.attributes.append({found.key(), found.value()});
        }
        for (int i = 0; !cleaning.style.isEmpty() && i < styleOrder().size(); ++i) {
            const auto found = cleaning.style.constFind(styleOrder().at(i));
            if (found != cleaning.style.constEnd())
                element.style << found.key() + QLatin1Char(':') + found.value();
        }
        return element;
    }

    // Past the bound of families, an element keeps none.
    void countFamilies(CleanElement &element)
    {
        for (const QString &family : element.fontFamilies)
            m_families.insert(family.toLower());
        if (m_families.size() <= MarkupPolicyBounds::fontFamilies)
            return;
        element.style.erase(std::remove_if(element.style.begin(), element.style.end(),
                                           [](const QString &declaration) {
                                               return declaration.startsWith(QLatin1String("font-family:"));
                                           }),
                            element.style.end());
        element.attributes.erase(std::remove_if(element.attributes.begin(), element.attributes.end(),
                                                [](const QPair<QString, QString> &attribute) {
                                                    return attribute.first == QLatin1String("face");
                                                }),
                                 element.attributes.end());
        m_drops.add(DroppedMarkup::PropertyValue, QStringLiteral("font-family"));
    }

    const MarkupTree &m_built;
    MarkupDrops &m_drops;
    MarkupTree m_kept;
    QHash<int, int> m_cleaned; // by the node first opened: into m_kept.elements
    QHash<QString, WhiteSpace> m_sheetWhiteSpace;
    QSet<QString> m_families;
};

} // namespace

MarkupTree applyMarkupPolicy(const MarkupTree &built, MarkupDrops &drops)
{
    return PolicyWalk(built, drops).apply();
}
