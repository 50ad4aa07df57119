#include "iconstore.h"

#include "GraphErrors.h"

namespace {

const QString IconElement = QStringLiteral("icon");
const QString RootElement = QStringLiteral("iconstore");

} // namespace

TXMLIconstoreType::TXMLIconstoreType(TXMLNode *root) : FRoot(root)
{
    for (int i = 0; i < root->ChildCount(); ++i)
        if (root->Child(i)->NodeName() == IconElement)
            FIcons.push_back(std::make_unique<TXMLIconType>(root->Child(i)));
}

IXMLIconType *TXMLIconstoreType::Icon(int index) const
{
    if (index < 0 || index >= IconCount())
        throw EListError::OutOfBounds(index);
    return FIcons[index].get();
}

IXMLIconType *TXMLIconstoreType::AddIcon()
{
    FIcons.push_back(std::make_unique<TXMLIconType>(FRoot->AppendChild(IconElement)));
    return FIcons.back().get();
}

IXMLIconType *TXMLIconstoreType::InsertIcon(int index)
{
    index = std::clamp(index, 0, IconCount());
    // The new element goes before the icon now at that position.
    int childIndex = FRoot->ChildCount();
    int seen = 0;
    for (int i = 0; i < FRoot->ChildCount(); ++i) {
        if (FRoot->Child(i)->NodeName() != IconElement)
            continue;
        if (seen++ == index) {
            childIndex = i;
            break;
        }
    }
    auto icon = std::make_unique<TXMLIconType>(FRoot->InsertChild(childIndex, IconElement));
    return FIcons.insert(FIcons.begin() + index, std::move(icon))->get();
}

TIconstore::TIconstore(const QString &fileName) : FDocument(fileName)
{
    FDocument.Activate();
    TXMLNode *root = FDocument.DocumentElement();
    if (!root)
        root = FDocument.CreateDocumentElement(RootElement);
    if (root->NodeName() != RootElement)
        throw EXMLDocError(
            QStringLiteral("%1: the root element is \"%2\", not \"%3\" (line %4, column %5)")
                .arg(fileName, root->NodeName(), RootElement)
                .arg(root->Line())
                .arg(root->Column()));
    FRoot = std::make_unique<TXMLIconstoreType>(root);
}

int TIconstore::IndexOfCaption(const QString &caption) const
{
    for (int i = 0; i < IconCount(); ++i)
        if (Icon(i)->Caption() == caption)
            return i;
    return -1;
}
