// The shopping cart tab of the company item in the running program: the
// logo chosen through the image dialog is kept by Save and taken back by
// Cancel; a logo change alone rewrites no other setting; the costs are
// amounts, typed with a comma or a point, and can be typed only while the
// cart asks for shipping.
#include "../../media/ImageDialogFixture.h"

#include "editors/media/images/FrameImageContainer.h"
#include "editors/media/images/FrameImageSource.h"
#include "storage/QueryGuard.h"

#include <QLineEdit>

namespace {

constexpr int kCompany = 2001;
constexpr int kCartClass = 2011;

class ShoppingCartTest : public TImageDialogFixture {
protected:
    void OpenCart()
    {
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(kHome, f.Editor().GetItemType(), "", ""));
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(kCompany, kCompany, "", ""));
        QCoreApplication::processEvents();
        ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ShoppingCart-basic"));
        QCoreApplication::processEvents();
    }
    template <class T>
    T* Control(const char* name)
    {
        return f.EditorPane()->findChild<T*>(name);
    }
    // Stores the picture file through the image dialog the logo's Select opens; the dialog's parameters seen.
    void ChooseLogo(const std::string& file, std::vector<std::string>* seen = nullptr)
    {
        Gui().QueueInput(file);
        WhenShown([&, seen](TfrmFrameContainer& window) {
            if (seen)
                *seen = *window.findChild<TFrameImageSource*>()->GetContext()->GetParams();
            Click(window, "btnSearch");
            window.btnContainerOk->click();
        });
        QTest::mouseClick(Control<QPushButton>("btnSelect"), Qt::LeftButton);
    }
    // The committed values of the cart's member, "(none)" without a row.
    std::string Stored(int memberId)
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = :Code AND ItemId = 2001 AND ClassId = " +
                      std::to_string(kCartClass) + " AND MemberId = " + std::to_string(memberId) +
                      " UNION ALL SELECT StringValue FROM CStrings WHERE CatalogCode = :Code AND ItemId = 2001 "
                      "AND ClassId = " + std::to_string(kCartClass) + " AND MemberId = " + std::to_string(memberId));
        query->SetParam("Code", Code());
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? "(none)" : FieldText(rows, rows.FieldName(0));
    }
    std::string ShownLogo()
    {
        auto* preview = f.EditorPane()->findChild<TFrameImageContainer*>();
        return preview ? preview->Model().CaptionText() : "(no preview)";
    }
    static constexpr int kShipping = 5;
    static constexpr int kLogo = 4;
};

}  // namespace

TEST_F(ShoppingCartTest, TheLogoIsKeptBySaveAndTakenBackByCancel)
{
    OpenCart();
    std::vector<std::string> seen;
    ChooseLogo(Folder().Write("cart.png", Png(300, 80)), &seen);
    EXPECT_EQ(ValueOfName(seen, "FolderName"), "PayPal");
    EXPECT_EQ(ValueOfName(seen, "MainImageSize"), "150");
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    Shoot(f, "shopping-cart");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    const std::string logo = Stored(kLogo);
    ASSERT_NE(logo, "(none)");
    EXPECT_EQ(Stored(kShipping), "(none)") << "a logo change alone rewrites no other setting";

    OpenCart();
    EXPECT_EQ(ShownLogo().rfind("cart", 0), 0u) << ShownLogo();
    ChooseLogo(Folder().Write("other.png", Png(60, 60)));
    EXPECT_EQ(ShownLogo().rfind("other", 0), 0u) << ShownLogo();
    const int images = ImageCount();
    PressCancel(f);
    EXPECT_EQ(Stored(kLogo), logo) << "Cancel keeps the saved logo";
    EXPECT_EQ(ImageCount(), images - 1) << "and takes the picture made for the cancelled one away";
    OpenCart();
    EXPECT_EQ(ShownLogo().rfind("cart", 0), 0u) << ShownLogo();
}

TEST_F(ShoppingCartTest, CostsAreAmountsTypedOnlyWhileTheCartAsksForShipping)
{
    OpenCart();
    auto* noShipping = Control<QCheckBox>("chkNoShipping");
    auto* cost = Control<QLineEdit>("edtShipping");
    auto* cost2 = Control<QLineEdit>("edtShipping2");
    ASSERT_TRUE(noShipping && cost && cost2);
    EXPECT_TRUE(cost->isEnabled() && cost2->isEnabled());
    QTest::mouseClick(noShipping, Qt::LeftButton);
    EXPECT_FALSE(cost->isEnabled() || cost2->isEnabled()) << "no shipping, nothing to charge for it";
    QTest::mouseClick(noShipping, Qt::LeftButton);
    ASSERT_TRUE(cost->isEnabled());

    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {{"12,5", "12.5"}, {"1.234,99", "1234.99"}, {"0.1", "0.1"}, {"free", "(none)"}};  // 0, which is no value
    for (const auto& c : cases) {
        TypeOver(cost, c.typed);
        PressSave(f);
        EXPECT_EQ(Stored(kShipping), c.stored) << c.typed;
    }
    OpenCart();
    EXPECT_EQ(Control<QLineEdit>("edtShipping")->text(), "") << "0 shows as no cost";
    TypeOver(Control<QLineEdit>("edtShipping"), "7.25");
    PressSave(f);
    OpenCart();
    EXPECT_EQ(Control<QLineEdit>("edtShipping")->text(), "7.25");
}
