#include "markuppolicy.h"

#include "cellplacement.h"
#include "markupformula.h"
#include "markupsettle.h"
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
        // A sheet counts once, as the element it is: it goes, and what the
        // list allows of it is written onto the elements it selects. Qt's
        // editor writes one into every text, which the pass reads as Qt
        // does: not counted.
        for (int sheet = 0; sheet < m_sheetsRead && !m_kept.editorText; ++sheet)
            m_drops.add(DroppedMarkup::Content, QStringLiteral("style"));
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

    // What a sheet holds that the list does not keep is counted once for
    // each declaration, as a property or its value, not once for each
    // element it selects. What the pass does not apply at all (rules of
    // other selectors, at-rules, rules past a bound) is counted only with
    // the sheet.
    void readSheet(const MarkupNode &style)
    {
        ++m_sheetsRead;
        const int text = style.firstChild;
        m_sheets.read(text < 0 ? QString() : m_built.nodes.at(text).text,
                      [this](const QString &property, const QString &value) {
                          switch (checkProperty(property, value)) {
                          case PropertyCheck::NotListed:
                              m_drops.add(DroppedMarkup::Property, property);
                              return false;
                          case PropertyCheck::ValueNotAllowed:
                              m_drops.add(DroppedMarkup::PropertyValue, property);
                              return false;
                          case PropertyCheck::Allowed:
                              break;
                          }
                          return true;
                      });
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
            // A picture the text names but does not carry: a sign of it,
            // with its description, so that the student knows one is missing.
            MarkupNode sign;
            sign.type = MarkupNode::Text;
            sign.kind = ElementKind::Void;
            sign.text = element.alternative.trimmed().isEmpty()
                            ? QStringLiteral("［图］")
                            : QStringLiteral("［图：%1］").arg(element.alternative.trimmed());
            m_kept.append(into, sign);
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
        const int appended = m_kept.append(into, copy);
        children(index, appended);
        if (node.kind == ElementKind::Table)
            settleLines(appended);
    }

    // Word and LibreOffice draw a table's lines on its cells. Where every
    // cell the text names shows the same lines, they become the table's
    // grid, drawn once, as browsers show them. Otherwise each cell keeps its
    // own, side by side; where every cell has lines of its own (Word's
    // three-line tables), the table's border attribute goes, which Qt would
    // draw over them all and browsers draw for none.
    void settleLines(int table)
    {
        QVector<int> cells;
        QVector<CellBorders> borders;
        QVector<CellPlace> places;
        CellPlacement placement;
        int rows = 0;
        bool ownLines = true;
        for (int row = m_kept.nodes.at(table).firstChild; row >= 0; row = m_kept.nodes.at(row).next) {
            bool named = false;
            for (int cell = m_kept.nodes.at(row).firstChild; cell >= 0; cell = m_kept.nodes.at(cell).next) {
                const MarkupNode &node = m_kept.nodes.at(cell);
                // A cell the builder supplied (around a <col>, say) is written
                // only where it shows something, and then has no lines: the
                // grid is that of the cells the text names.
                if (node.kind != ElementKind::Cell || node.implied)
                    continue;
                const CleanElement &element = m_kept.elements.at(node.element);
                places << CellPlace{rows, placement.place(rows, element.rows, element.columns), element.rows,
                                    element.columns};
                cells << node.element;
                borders << m_cellBorders.value(node.element);
                ownLines = ownLines && borders.last().given();
                named = true;
            }
            rows += named;
        }
        const TableGrid grid = gridOf(borders, places, rows, placement.columns());
        if (!grid.uniform) {
            for (int cell = 0; cell < cells.size(); ++cell)
                m_kept.elements[cells.at(cell)].style << cellBorderStyle(borders.at(cell));
        }
        if (cells.isEmpty() || !ownLines)
            return;
        CleanElement &element = m_kept.elements[m_kept.nodes.at(table).element];
        Cleaning drawn = reopened(element);
        drawn.attributes.remove(QStringLiteral("border"));
        if (grid.uniform) {
            drawn.attributes.insert(QStringLiteral("border"), QString::number(grid.width));
            drawn.style.insert(QStringLiteral("border-color"), grid.colour);
            drawn.style.insert(QStringLiteral("border-style"), grid.style);
            drawn.style.insert(QStringLiteral("border-collapse"), QStringLiteral("collapse"));
        }
        element = ordered(drawn);
    }

    // An element kept, to be read onto again.
    static Cleaning reopened(const CleanElement &element)
    {
        Cleaning cleaning;
        cleaning.element = element;
        cleaning.element.attributes.clear();
        cleaning.element.style.clear();
        for (const auto &attribute : element.attributes)
            cleaning.attributes.insert(attribute.first, attribute.second);
        for (const QString &declaration : element.style)
            cleaning.style.insert(declaration.section(QLatin1Char(':'), 0, 0), declaration.section(QLatin1Char(':'), 1));
        return cleaning;
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
        // The sheets' declarations come first, for the element's own style
        // to win over them, and over an attribute such as align.
        for (const SheetDeclaration &declaration : m_sheets.applying(node.tag, classes(node))) {
            const ValueReader reader = propertyReader(declaration.property, written);
            if (reader)
                reader(declaration.value, cleaning);
        }
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
        for (const QString &property : settle(cleaning))
            m_drops.add(DroppedMarkup::PropertyValue, property);
        CleanElement element = ordered(cleaning);
        countFamilies(element);
        if (cleaning.borders.given())
            m_cellBorders.insert(m_kept.elements.size(), cleaning.borders);
        m_kept.elements.append(element);
        m_cleaned.insert(source, m_kept.elements.size() - 1);
        return m_kept.elements.size() - 1;
    }

    static QString classes(const MarkupNode &node)
    {
        for (const MarkupAttribute &attribute : node.attributes) {
            if (attribute.name == QLatin1String("class"))
                return attribute.value;
        }
        return QString();
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
        element.attributes = inOrder(cleaning.attributes, attributeRank);
        for (const auto &property : inOrder(cleaning.style, styleRank))
            element.style << property.first + QLatin1Char(':') + property.second;
        return element;
    }

    // The values kept, in their rank's order; those without a rank are
    // not written.
    static QVector<QPair<QString, QString>> inOrder(const QHash<QString, QString> &kept, int (*rank)(const QString &))
    {
        QVector<QPair<int, QPair<QString, QString>>> ranked;
        for (auto value = kept.constBegin(); value != kept.constEnd(); ++value) {
            const int at = rank(value.key());
            if (at >= 0)
                ranked.append({at, {value.key(), value.value()}});
        }
        std::sort(ranked.begin(), ranked.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        QVector<QPair<QString, QString>> written;
        for (const auto &value : ranked)
            written << value.second;
        return written;
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
    StyleSheets m_sheets;
    QHash<int, CellBorders> m_cellBorders; // by kept element
    int m_sheetsRead = 0;
    QSet<QString> m_families;
};

} // namespace

MarkupTree applyMarkupPolicy(const MarkupTree &built, MarkupDrops &drops)
{
    return PolicyWalk(built, drops).apply();
}
