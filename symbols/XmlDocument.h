#pragma once

#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

// An error of the XML layer: the file, and where in it the trouble is.
class EXMLDocError : public std::runtime_error {
public:
    explicit EXMLDocError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// One element of a document: its name, its own text, its child elements.
class TXMLNode {
public:
    explicit TXMLNode(const QString &name) : FName(name) {}

    const QString &NodeName() const { return FName; }
    // Where the element starts in its document (0 for one made in memory).
    int Line() const { return FLine; }
    int Column() const { return FColumn; }
    void SetPosition(int line, int column)
    {
        FLine = line;
        FColumn = column;
    }
    const QString &Text() const { return FText; }
    void SetText(const QString &text) { FText = text; }
    void AppendText(const QString &text) { FText += text; }

    int ChildCount() const { return int(FChildren.size()); }
    TXMLNode *Child(int index) const { return FChildren[index].get(); }
    // The first child element of that name, or null.
    TXMLNode *ChildNamed(const QString &name) const;
    // The text of the first child of that name; empty when there is none.
    QString ChildText(const QString &name) const;
    // Sets the text of the first child of that name, creating it when missing.
    void SetChildText(const QString &name, const QString &text);
    TXMLNode *AppendChild(const QString &name);
    TXMLNode *InsertChild(int index, const QString &name);

private:
    QString FName;
    QString FText;
    int FLine = 0;
    int FColumn = 0;
    std::vector<std::unique_ptr<TXMLNode>> FChildren;
};

// A document read from a file: elements and their texts. The encoding is
// the one the document declares (UTF-8, UTF-16, GB2312, GBK, ...); blank
// text between elements is not kept.
class TXMLDocument {
public:
    explicit TXMLDocument(const QString &fileName = QString()) : FFileName(fileName) {}

    const QString &FileName() const { return FFileName; }
    void SetFileName(const QString &fileName) { FFileName = fileName; }
    bool Active() const { return FActive; }
    // Reads and parses the file once. Throws EXMLDocError naming the file,
    // line and column when it is missing, unreadable or not well-formed.
    void Activate();
    // Parses a document held in memory; the file name is used in messages.
    void LoadFromBytes(const QByteArray &bytes);
    // The root element, or null for a document without one.
    TXMLNode *DocumentElement() const { return FRoot.get(); }
    TXMLNode *CreateDocumentElement(const QString &name);

private:
    QString FFileName;
    bool FActive = false;
    std::unique_ptr<TXMLNode> FRoot;
};
