#pragma once
#include <QtGlobal>
#include <vector>

// Objects that come and go, named by a slot and a generation, so that
// something held for one of them until later (a late answer for its
// connection) finds out whether it is still there without a guarded
// pointer, whose every copy costs a shared count. A freed slot is given to
// the next object at once, under a new generation: a key of the one before
// finds nothing.
template <typename T> class Ranuras {
public:
    struct Clave {
        quint32 ranura = 0;
        quint32 generacion = 0;
    };

    Clave Tomar(T* objeto) {
        quint32 r = 0;
        if (v_Libres.empty()) {
            r = static_cast<quint32>(v_Lista.size());
            v_Lista.push_back({});
        } else {
            r = v_Libres.back();
            v_Libres.pop_back();
        }
        v_Lista[r].objeto = objeto;
        return {r, v_Lista[r].generacion};
    }
    void Soltar(Clave c) {
        if (!Buscar(c)) return;
        Ranura& r = v_Lista[c.ranura];
        r.objeto = nullptr;
        ++r.generacion;
        v_Libres.push_back(c.ranura);
    }
    // Null once the object was let go.
    T* Buscar(Clave c) const {
        if (c.ranura >= v_Lista.size() || v_Lista[c.ranura].generacion != c.generacion) return nullptr;
        return v_Lista[c.ranura].objeto;
    }

private:
    struct Ranura {
        T* objeto = nullptr;
        quint32 generacion = 0;
    };
    std::vector<Ranura> v_Lista;
    std::vector<quint32> v_Libres;
};
