// The editors of edit-in-place on their own: the entry made for a list
// column, bound to its variable under the column's picture and named by its
// header, the keys it turns into edit actions, and its tear-down.
#include <gtest/gtest.h>

#include "browse/EditEntryClass.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/text/FixedText.h"

namespace {

constexpr int kList = 1;

rt::WindowDeclaration listWindow() {
    rt::WindowDeclaration d;
    d.caption = "Editors";
    d.width = 200;
    d.height = 100;
    d.controls = {rt::control(rt::ControlKind::List)
                      .at(4, 4, 190, 90)
                      .listFormat("80L(2)|M~Title~@s5@40R(2)|M~Count~@n4@")};
    return d;
}

}  // namespace

TEST(EditClassTest, TheEntryIsMadeHiddenForTheColumnAndBoundUnderItsPicture) {
    rt::Window w(listWindow());
    rt::String<20> title("Longer title");
    std::int32_t count = 42;
    EditEntryClass titleEditor, countEditor;
    titleEditor.Init(1, kList, title, w);
    countEditor.Init(2, kList, count, w);
    int feq = titleEditor.GetFeq();
    ASSERT_NE(feq, 0);
    EXPECT_GE(feq, 100) << "made at run time";
    EXPECT_EQ(w.property(feq, rt::Prop::Type).number(), int(rt::ControlKind::Entry));
    EXPECT_EQ(w.property(feq, rt::Prop::Hide).number(), 1);
    EXPECT_EQ(w.property(feq, rt::Prop::Tip).text(), "Title");
    EXPECT_EQ(w.property(countEditor.GetFeq(), rt::Prop::Tip).text(), "Count");
    EXPECT_EQ(w.text(feq), "Longe") << "the column's picture @s5";
    EXPECT_EQ(w.text(countEditor.GetFeq()), "  42");
    EXPECT_EQ(titleEditor.FieldNo, 1);
    EXPECT_EQ(titleEditor.ListBoxFeq, kList);

    w.setText(countEditor.GetFeq(), "17");
    EXPECT_EQ(countEditor.TakeAccepted(EditActionForward), EditActionForward);
    EXPECT_EQ(count, 17);

    titleEditor.SetReadOnly(true);
    EXPECT_TRUE(titleEditor.ReadOnly);
    EXPECT_EQ(w.property(feq, rt::Prop::ReadOnly).number(), 1);
}

TEST(EditClassTest, TheAlertedKeysBecomeEditActions) {
    rt::Window w(listWindow());
    rt::String<20> title;
    EditEntryClass editor;
    editor.Init(1, kList, title, w);
    struct Row {
        int key;
        int action;
    };
    const Row table[] = {
        {rt::TabKey, EditActionForward},    {rt::TabKey + rt::KeyShift, EditActionBackward},
        {rt::EnterKey, EditActionComplete}, {rt::EscKey, EditActionCancel},
        {rt::DownKey, EditActionNext},      {rt::UpKey, EditActionPrevious},
        {rt::keyFor('a'), EditActionNone},  {rt::EnterKey + rt::KeyCtrl, EditActionNone},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.key);
        bool alerted = row.action != EditActionNone;
        EXPECT_EQ(w.isAlerted(row.key, editor.GetFeq()), alerted);
        w.setKeyCode(row.key);
        EXPECT_EQ(editor.TakeEvent(rt::EventAlertKey), row.action);
        EXPECT_EQ(editor.TakeEvent(rt::EventAccepted), EditActionNone);
    }
}

TEST(EditClassTest, KillDestroysTheControlAndMayBeCalledTwice) {
    rt::Window w(listWindow());
    rt::String<20> title;
    EditEntryClass editor;
    editor.Init(1, kList, title, w);
    int feq = editor.GetFeq();
    ASSERT_TRUE(w.exists(feq));
    editor.Kill();
    EXPECT_FALSE(w.exists(feq));
    EXPECT_EQ(editor.GetFeq(), 0);
    EXPECT_TRUE(editor.UseVar.isNull());
    editor.Kill();
    // A new Init makes a new control.
    editor.Init(1, kList, title, w);
    EXPECT_TRUE(w.exists(editor.GetFeq()));
    EXPECT_NE(editor.GetFeq(), feq);
}
