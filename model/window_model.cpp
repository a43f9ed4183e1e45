#include "window_model.h"

namespace quorvel {

void List3_Click(WindowModel& w, int row)
{
    if (row < 0 || row >= w.list3.Count()) return;
    w.list3Index = row;
    SetText2(w, w.list3.Read(row));
}

void SetText2(WindowModel& w, std::string text)
{
    if (text == w.text2) return;
    w.text2 = std::move(text);
    Text2_Change(w);
}

void Text2_Change(WindowModel& w)
{
    if (w.list3Index < 0 || w.list3Index >= w.list3.Count()) return;
    w.list3.Write(w.list3Index, w.text2);
}

}  // namespace quorvel
