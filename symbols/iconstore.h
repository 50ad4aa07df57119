#pragma once

#include "XmlDocument.h"

#include <QString>
#include <memory>
#include <vector>

// One symbol of the library: eight texts, each the text of a child
// element of its "icon" element. A missing element reads as empty text.
class IXMLIconType {
public:
    virtual ~IXMLIconType() = default;

    virtual QString Caption() const = 0;
    virtual QString System() const = 0;
    virtual QString Type() const = 0;
    virtual QString Comment() const = 0;
    virtual QString SmallImage() const = 0;
    virtual QString LargeImage() const = 0;
    virtual QString Ref() const = 0;
    virtual QString Code() const = 0;

    virtual void SetCaption(const QString &value) = 0;
    virtual void SetSystem(const QString &value) = 0;
    virtual void SetType(const QString &value) = 0;
    virtual void SetComment(const QString &value) = 0;
    virtual void SetSmallImage(const QString &value) = 0;
    virtual void SetLargeImage(const QString &value) = 0;
    virtual void SetRef(const QString &value) = 0;
    virtual void SetCode(const QString &value) = 0;
};

// The library: the "iconstore" root and its "icon" elements, by position.
class IXMLIconstoreType {
public:
    virtual ~IXMLIconstoreType() = default;

    virtual int IconCount() const = 0;
    // The icon at a position; EListError outside 0..IconCount-1.
    virtual IXMLIconType *Icon(int index) const = 0;
    virtual IXMLIconType *AddIcon() = 0;
    virtual IXMLIconType *InsertIcon(int index) = 0;
};

class TXMLIconType : public IXMLIconType {
public:
    explicit TXMLIconType(TXMLNode *node) : FNode(node) {}

    QString Caption() const override { return FNode->ChildText(QStringLiteral("caption")); }
    QString System() const override { return FNode->ChildText(QStringLiteral("system")); }
    QString Type() const override { return FNode->ChildText(QStringLiteral("type")); }
    QString Comment() const override { return FNode->ChildText(QStringLiteral("comment")); }
    QString SmallImage() const override { return FNode->ChildText(QStringLiteral("smallimage")); }
    QString LargeImage() const override { return FNode->ChildText(QStringLiteral("largeimage")); }
    QString Ref() const override { return FNode->ChildText(QStringLiteral("ref")); }
    QString Code() const override { return FNode->ChildText(QStringLiteral("code")); }

    void SetCaption(const QString &v) override { FNode->SetChildText(QStringLiteral("caption"), v); }
    void SetSystem(const QString &v) override { FNode->SetChildText(QStringLiteral("system"), v); }
    void SetType(const QString &v) override { FNode->SetChildText(QStringLiteral("type"), v); }
    void SetComment(const QString &v) override { FNode->SetChildText(QStringLiteral("comment"), v); }
    void SetSmallImage(const QString &v) override
    {
        FNode->SetChildText(QStringLiteral("smallimage"), v);
    }
    void SetLargeImage(const QString &v) override
    {
        FNode->SetChildText(QStringLiteral("largeimage"), v);
    }
    void SetRef(const QString &v) override { FNode->SetChildText(QStringLiteral("ref"), v); }
    void SetCode(const QString &v) override { FNode->SetChildText(QStringLiteral("code"), v); }

private:
    TXMLNode *FNode;
};

class TXMLIconstoreType : public IXMLIconstoreType {
public:
    // The root of a document; the document stays the caller's.
    explicit TXMLIconstoreType(TXMLNode *root);

    int IconCount() const override { return int(FIcons.size()); }
    IXMLIconType *Icon(int index) const override;
    IXMLIconType *AddIcon() override;
    IXMLIconType *InsertIcon(int index) override;

private:
    TXMLNode *FRoot;
    std::vector<std::unique_ptr<TXMLIconType>> FIcons;
};

// The loaded library: the document and its typed root, which live together.
class TIconstore {
public:
    // Reads the file once. A document without a root gets an empty
    // "iconstore" root in memory; a root of another name is an error.
    explicit TIconstore(const QString &fileName);

    IXMLIconstoreType &Root() { return *FRoot; }
    const IXMLIconstoreType &Root() const { return *FRoot; }
    int IconCount() const { return FRoot->IconCount(); }
    IXMLIconType *Icon(int index) const { return FRoot->Icon(index); }
    // The index of the first icon with that caption, or -1.
    int IndexOfCaption(const QString &caption) const;

private:
    TXMLDocument FDocument;
    std::unique_ptr<TXMLIconstoreType> FRoot;
};
