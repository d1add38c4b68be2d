#pragma once
// Member types of the object model. The type of a member says in which value
// table its values live and how they are read and written:
//   1-49 short text (CStrings), 50-99 long text (CText),
//   100-149 integer and 150-199 number with fraction (CNumbers),
//   200-249 date (CDates), 250-299 binary (CBinary).

inline constexpr int kFirstStringMemberType = 1;
inline constexpr int kLastStringMemberType = 49;
inline constexpr int kFirstTextMemberType = 50;
inline constexpr int kLastTextMemberType = 99;
inline constexpr int kFirstIntegerMemberType = 100;
inline constexpr int kLastIntegerMemberType = 149;
inline constexpr int kFirstFloatMemberType = 150;
inline constexpr int kLastFloatMemberType = 199;
inline constexpr int kFirstDateMemberType = 200;
inline constexpr int kLastDateMemberType = 249;
inline constexpr int kFirstBinaryMemberType = 250;
inline constexpr int kLastBinaryMemberType = 299;
// The longest short text (a name, a caption) an edit box accepts.
inline constexpr int kMaxShortTextLength = 255;

constexpr bool IsStringMemberType(int type)
{
    return type >= kFirstStringMemberType && type <= kLastStringMemberType;
}

constexpr bool IsTextMemberType(int type)
{
    return type >= kFirstTextMemberType && type <= kLastTextMemberType;
}

constexpr bool IsIntegerMemberType(int type)
{
    return type >= kFirstIntegerMemberType && type <= kLastIntegerMemberType;
}

constexpr bool IsFloatMemberType(int type)
{
    return type >= kFirstFloatMemberType && type <= kLastFloatMemberType;
}

// Integers and numbers with fraction: the types stored in CNumbers.
constexpr bool IsNumberMemberType(int type)
{
    return type >= kFirstIntegerMemberType && type <= kLastFloatMemberType;
}

constexpr bool IsDateMemberType(int type)
{
    return type >= kFirstDateMemberType && type <= kLastDateMemberType;
}

constexpr bool IsBinaryMemberType(int type)
{
    return type >= kFirstBinaryMemberType && type <= kLastBinaryMemberType;
}

// Member types that code in several places treats by their own meaning.
inline constexpr int kHtmlMemberType = 52;              // HTML text; its "../images/" links count as used
inline constexpr int kSourceMemberType = 53;            // source code text; likewise
inline constexpr int kItemIdMemberType = 102;           // the id of another item
inline constexpr int kSubObjectMemberType = 105;        // the instance id of a sub-object
inline constexpr int kImageItemIdMemberType = 106;      // the item id of an image item
inline constexpr int kNestedItemIdMemberType = 107;     // an item id whose object is written nested
inline constexpr int kFractionNumberMemberType = 152;   // a number with fraction
inline constexpr int kAmountMemberType = 153;           // an amount of money
