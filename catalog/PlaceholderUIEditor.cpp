#include "catalog/PlaceholderUIEditor.h"

TPlaceholderUIEditor::TPlaceholderUIEditor(std::string name, std::string params,
                                           std::string standsFor,
                                           const TAbstractFrameClass* frameClass)
    : name_(std::move(name)), params_(std::move(params)), standsFor_(std::move(standsFor)),
      frameClass_(frameClass)
{
}
