#include "editors/business/codes/CodesEditorModel.h"

#include "storage/AbstractCObject.h"
#include "storage/MemberValueText.h"

#include <algorithm>

namespace {

bool Holds(const std::vector<TCodeEntry>& list, const std::string& code)
{
    return std::any_of(list.begin(), list.end(), [&](const TCodeEntry& e) { return e.Code == code; });
}

void Drop(std::vector<TCodeEntry>& list, const std::string& code)
{
    list.erase(std::remove_if(list.begin(), list.end(), [&](const TCodeEntry& e) { return e.Code == code; }),
               list.end());
}

}  // namespace

TCodesEditorModel::TCodesEditorModel(TCodeTree& tree, bool companyVariant, int itemId, int companyId,
                                     TServices services)
    : tree_(tree), companyVariant_(companyVariant), itemId_(itemId), companyId_(companyId),
      services_(std::move(services))
{
}

void TCodesEditorModel::Load()
{
    company_ = ShowsCompanyList() && companyId_ > 0 ? Read(companyId_) : std::vector<TCodeEntry>{};
    chosen_ = Read(itemId_);
}

TCodeEntry TCodesEditorModel::EntryOf(const std::string& code)
{
    TCodeEntry entry;
    entry.Code = code;
    if (const std::optional<TCodeRow> row = tree_.Database().Find(code)) {
        entry.Name = row->Name;
        entry.IsTolvexCode = row->IsTolvexCode;
    }
    return entry;
}

std::vector<TCodeEntry> TCodesEditorModel::Read(int itemId)
{
    std::vector<TCodeEntry> list;
    TAbstractCObject* object = services_.Object(itemId);
    if (!object)
        return list;
    std::vector<std::string> values;
    object->GetLangValues(CodeSystemInfo(System()).Member, services_.Lang, nullptr, values);
    for (const std::string& value : values)
        if (!value.empty() && !Holds(list, value))
            list.push_back(EntryOf(value));
    return list;
}

bool TCodesEditorModel::IsChosen(const std::string& code) const
{
    return Holds(chosen_, code);
}

bool TCodesEditorModel::CanChooseMore() const
{
    return System() != TCodeSystem::EBay || chosen_.size() < kMaxEBayCategories;
}

TCodesEditorModel::TAdd TCodesEditorModel::CheckAdd(const TCodeNode& node) const
{
    if (!tree_.IsChoosable(node))
        return TAdd::NotChoosable;
    if (IsChosen(node.Row.Code))
        return TAdd::AlreadyChosen;
    return CanChooseMore() ? TAdd::Added : TAdd::LimitReached;
}

TCodesEditorModel::TAdd TCodesEditorModel::AddFromTree(const TCodeNode& node)
{
    const TAdd check = CheckAdd(node);
    if (check != TAdd::Added)
        return check;
    return Add({node.Row.Code, node.Row.Name, node.Row.IsTolvexCode}, !companyVariant_);
}

TCodesEditorModel::TAdd TCodesEditorModel::CheckAddFromCompany(const std::string& code) const
{
    if (!Holds(company_, code))
        return TAdd::NotChoosable;
    if (IsChosen(code))
        return TAdd::AlreadyChosen;
    return CanChooseMore() ? TAdd::Added : TAdd::LimitReached;
}

TCodesEditorModel::TAdd TCodesEditorModel::AddFromCompany(const std::string& code)
{
    const TAdd check = CheckAddFromCompany(code);
    if (check != TAdd::Added)
        return check;
    return Add(*std::find_if(company_.begin(), company_.end(), [&](const TCodeEntry& e) { return e.Code == code; }),
               false);
}

TCodesEditorModel::TAdd TCodesEditorModel::Add(const TCodeEntry& entry, bool alsoToCompany)
{
    chosen_.push_back(entry);
    Append(itemId_, entry.Code);
    if (alsoToCompany && companyId_ > 0 && companyId_ != itemId_ && !Holds(company_, entry.Code)) {
        company_.push_back(entry);
        Append(companyId_, entry.Code);
    }
    return TAdd::Added;
}

void TCodesEditorModel::Remove(const std::string& code)
{
    if (!IsChosen(code))
        return;
    Drop(chosen_, code);
    Delete(itemId_, code);
    // The company's partner categories are those its items use: one that no
    // other item uses any more leaves the company's list with it.
    if (System() != TCodeSystem::Zarivuro || companyVariant_ || companyId_ <= 0 || itemId_ == companyId_ ||
        !Holds(company_, code) || !services_.OtherUsers)
        return;
    if (services_.OtherUsers(itemId_, TMemberValueText::ReadInteger(code)) == 0) {
        Drop(company_, code);
        Delete(companyId_, code);
    }
}

void TCodesEditorModel::Append(int itemId, const std::string& code)
{
    TAbstractCObject* object = services_.Object(itemId);
    if (!object)
        return;
    const TCodeSystemInfo& info = CodeSystemInfo(System());
    if (info.Numeric)
        object->SetLangNumber(info.Member, services_.Lang, TMemberValueText::ReadInteger(code), -1);
    else
        object->SetLangString(info.Member, services_.Lang, code, -1);
}

void TCodesEditorModel::Delete(int itemId, const std::string& code)
{
    TAbstractCObject* object = services_.Object(itemId);
    if (!object)
        return;
    const TCodeSystemInfo& info = CodeSystemInfo(System());
    if (info.Numeric)
        object->DeleteNumberValue(info.Member, services_.Lang, TMemberValueText::ReadInteger(code), -1);
    else
        object->DeleteStringValue(info.Member, services_.Lang, code, -1);
}
