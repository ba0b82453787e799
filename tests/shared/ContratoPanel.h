#pragma once
// Contract every text pane must keep: the in-memory model and the widget
// adapter both run these tests (INSTANTIATE_TEST_SUITE_P with a factory).
#include "PanelTexto.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

using FabricaPanel = std::function<std::unique_ptr<PanelTexto>()>;

class ContratoPanel : public ::testing::TestWithParam<FabricaPanel> {
protected:
    std::unique_ptr<PanelTexto> Nuevo(const QString& texto = {}) {
        auto p = GetParam()();
        p->SetText(texto);
        return p;
    }
};
