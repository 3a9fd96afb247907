#pragma once

#include "document/engravingattributes.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

// Resolves the presentation properties an SVG renderer reads, in the order
// of the CSS cascade: "!important" in the element's "style", "!important" in
// the document's internal <style> sheets, the "style" declaration, the sheet
// rules (by specificity, then order: type, class, id, universal and
// attribute selectors, descendant and child combinators), and last the
// presentation attribute; inherited properties then come from the ancestors. The canvas,
// the property summary and the generator all ask it, so they cannot disagree.
class StyleResolver
{
public:
    StyleResolver() = default;
    explicit StyleResolver(const QDomDocument &document);

    // Reads the <style> sheets and the kind of design again.
    void reset(const QDomDocument &document);

    // The element's own specified value: "inherit" and an absent property
    // give found = false.
    QString ownValue(const QDomElement &element, const QString &property, bool *found = nullptr) const;
    // The own value, else the nearest ancestor's.
    QString inheritedValue(const QDomElement &element, const QString &property,
                           bool *found = nullptr) const;

    // The inherited paint of an element, carried down a walk so each element
    // costs one look at its own values.
    struct Paint
    {
        QString fill;
        QString stroke;
        bool fillSet = false;
        bool strokeSet = false;
    };
    // The element's paint from its own values and its parent's paint.
    Paint paint(const QDomElement &element, const Paint &parent) const;
    // The paint of the element with all its ancestors.
    Paint paint(const QDomElement &element) const;
    // engraveMode() for an element whose paint() is known.
    EngraveMode engraveMode(const QDomElement &element, const Paint &paint) const;

    // How the generator engraves the element. An image leaves the job only
    // by its own "fill:none"; containers are never cut or filled themselves
    // in drawings from other programs.
    EngraveMode engraveMode(const QDomElement &element) const;

    // The processing a picture is engraved with: its own image mode; in a
    // drawing from another program, which never names one, its grey levels.
    static QString imageMode(const QDomElement &image, bool plimbDesign);

    // False for "display:none" on the element itself.
    bool isDisplayed(const QDomElement &element) const;

    // A design written by this program (its root declares the engraving
    // namespace): shapes that declare no fill anywhere are neither cut nor
    // filled there, as they always were. Elsewhere they fill black, as SVG
    // draws them.
    bool isPlimbDesign() const { return mPlimbDesign; }
    void setPlimbDesign(bool plimb) { mPlimbDesign = plimb; }

    bool hasRules() const { return !mRules.isEmpty(); }
    // True when every rule is one compound selector of type, class and id
    // only: what they give an element then follows from its tag, id, class
    // and own attributes, whatever surrounds it.
    bool rulesSeeElementOnly() const;
    // Whether some sheet rule selects the element.
    bool anyRuleMatches(const QDomElement &element) const;
    // Whether some sheet rule declares the property.
    bool declaresInSheet(const QString &property) const { return mDeclared.contains(property); }

    // Containers whose content is never drawn where it stands.
    static bool isUnrendered(const QString &tag);
    static bool isContainer(const QString &tag);
    static bool declaresPlimbNamespace(const QDomElement &root);

private:
    struct AttributeTest
    {
        QString name;
        QChar op;           // null: present; '=', '~', '^', '$', '*' or '|' before "="
        QString value;
    };
    // One compound selector: "rect.a#b[x]".
    struct Compound
    {
        QString tag;        // empty: any element
        QString id;
        QStringList classes;
        QVector<AttributeTest> attributes;
        bool firstChild = false;
    };
    struct Rule
    {
        QVector<Compound> parts;        // left to right
        QVector<QChar> combinators;     // between parts: ' ' descendant, '>' child
        int specificity = 0;
        int order = 0;
        QHash<QString, QString> declarations;
        QSet<QString> important;
    };

    void parseSheet(const QString &text);
    void addRule(const QString &selector, const QHash<QString, QString> &declarations,
                 const QSet<QString> &important);
    QString sheetValue(const QDomElement &element, const QString &property, bool important, bool *found) const;
    static bool matches(const Rule &rule, const QDomElement &element);
    static bool matchesFrom(const Rule &rule, int part, const QDomElement &element);
    static bool matchesCompound(const Compound &compound, const QDomElement &element);

    QVector<Rule> mRules;
    QSet<QString> mDeclared;
    bool mPlimbDesign = true;
};
